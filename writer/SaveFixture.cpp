#include "writer/SaveFixture.h"

#include "platform/Services.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace writer {

QString StartingSaveFolder(const QString& rememberedFolder) {
    if (!rememberedFolder.isEmpty() && !platform::firstFileIn(rememberedFolder).isEmpty()) {
        return rememberedFolder;
    }
    return platform::documentsFolder();
}

QString FolderOfFile(const QString& filePath) {
    return QFileInfo(filePath).absolutePath();
}

std::optional<QString> WriteFileAtomically(const QString& filePath, const QByteArray& bytes) {
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit()) {
        // The rename's own cause is often left out of the file's error text.
        const int cause = errno;
        return cause != 0 ? qt_error_string(cause) : file.errorString();
    }
    return std::nullopt;
}

} // namespace writer
