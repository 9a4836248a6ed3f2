// Turns a picture file into its pixels, ready to draw: a header of four little-endian 32-bit
// numbers (width, height, bytes per line, QImage format) and the lines of pixels. The editor
// embeds pictures in this form, so that showing one decodes nothing and looks for no image
// plugins.
//   picture_packer PICTURE_FILE PIXELS_FILE
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <array>
#include <cstdio>

namespace {

// The formats the raster pixmaps draw from as they are: opaque pictures and those with
// transparency.
QImage readyToDraw(const QImage& picture) {
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

bool writePixels(const QImage& pixels, const QString& path) {
    std::array<quint32, 4> header{};
    header[0] = qToLittleEndian(static_cast<quint32>(pixels.width()));
    header[1] = qToLittleEndian(static_cast<quint32>(pixels.height()));
    header[2] = qToLittleEndian(static_cast<quint32>(pixels.bytesPerLine()));
    header[3] = qToLittleEndian(static_cast<quint32>(pixels.format()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(header.data()), sizeof header) ==
               static_cast<qint64>(sizeof header) &&
           file.write(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes()) ==
               pixels.sizeInBytes();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: picture_packer PICTURE_FILE PIXELS_FILE\n");
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) {
        std::fprintf(stderr, "picture_packer: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!writePixels(readyToDraw(picture), QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "picture_packer: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
