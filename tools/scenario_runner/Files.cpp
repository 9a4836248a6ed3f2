#include "Files.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace runner {

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Only root may make a real device node (and a container may forbid even that); a named pipe is
// no regular file either, and anyone may make one.
bool makeDeviceNode(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    constexpr unsigned NullDeviceMajor = 1;
    constexpr unsigned NullDeviceMinor = 3;
    if (::geteuid() == 0 &&
        ::mknod(name.constData(), S_IFCHR | 0666, makedev(NullDeviceMajor, NullDeviceMinor)) == 0) {
        return true;
    }
    return ::mkfifo(name.constData(), 0666) == 0;
}

QString kindOf(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return {};
    }
    if (S_ISLNK(status.st_mode)) {
        return QStringLiteral("link");
    }
    if (S_ISDIR(status.st_mode)) {
        return QStringLiteral("folder");
    }
    return S_ISREG(status.st_mode) ? QStringLiteral("file") : QStringLiteral("special");
}

} // namespace runner
