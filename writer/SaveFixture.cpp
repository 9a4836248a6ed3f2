#include "writer/SaveFixture.h"

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace writer {
namespace {

const QString FolderInTheWay = QStringLiteral("同名的文件夹已存在");

// The common causes by their kind, in the user's words; a rare one adds the system's own text.
QString fileErrorReason(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间已满");
    case EFBIG:
        return QStringLiteral("文件超出了允许的大小");
    case EISDIR:
        return FolderInTheWay;
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case ELOOP:
        return QStringLiteral("符号链接的层数过多");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正在被使用");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    default:
        return QStringLiteral("文件系统错误（%1）").arg(qt_error_string(error));
    }
}

// Where a chosen name finally leads: a symbolic link is followed to the file it names, so that
// the link stays a link and that file gets the bytes. A name that does not exist is its own end.
struct LinkEnd {
    QString path;
    int error = 0;
};

LinkEnd followLinks(QString path) {
    constexpr int MostLinksFollowed = 40;
    for (int hop = 0; hop < MostLinksFollowed; ++hop) {
        const QByteArray name = QFile::encodeName(path);
        struct stat status {};
        if (::lstat(name.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return {path, 0};
        }
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(name.constData(), target.data(), target.size());
        if (length < 0) {
            return {path, errno};
        }
        target.truncate(length);
        const QString next = QFile::decodeName(target);
        // A relative link counts from the link's own folder.
        path = QDir::isAbsolutePath(next) ? next : QFileInfo(path).absolutePath() + u'/' + next;
    }
    return {path, ELOOP};
}

// An existing name is replaced only by a regular file its owner may write: the rename would go
// over a device, a pipe or a read-only file as well, and for the superuser over anything.
std::optional<QString> refusalToReplace(const QByteArray& name, const struct stat& old) {
    if (S_ISDIR(old.st_mode)) {
        return FolderInTheWay;
    }
    if (!S_ISREG(old.st_mode)) {
        return QStringLiteral("该名称不是普通文件");
    }
    if ((old.st_mode & S_IWUSR) == 0) {
        return QStringLiteral("文件是只读的");
    }
    if (::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0) {
        return fileErrorReason(errno);
    }
    return std::nullopt;
}

// The new contents beside the target until they are whole and on disk. Each step returns 0 or
// the error number. Unless it took the target's place, the file is removed when this goes.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!name_.isEmpty() && !placed_) {
            ::unlink(name_.constData());
        }
    }

    // A short hidden name, so that a target whose name is as long as the folder allows still
    // gets one beside it. Created with the umask's permissions, as any new file.
    int create(const QString& folder) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
            const QByteArray name = QFile::encodeName(folder + QStringLiteral("/.k36-") + suffix);
            fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                name_ = name;
                return 0;
            }
            if (errno != EEXIST) {
                return errno;
            }
        }
        return EEXIST;
    }

    // The replaced file's owner and permissions. Only the superuser can hand a file to another
    // owner; anyone else keeps the new file as their own.
    int takeOwnerAndModeOf(const struct stat& old) {
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd_, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            return errno;
        }
        return ::fchmod(fd_, old.st_mode & 07777) == 0 ? 0 : errno;
    }

    // Every byte, through short writes and interruptions; the first failure stops it.
    int write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t written =
                ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return written < 0 ? errno : EIO;
            }
            done += written;
        }
        return 0;
    }

    // On the disk before it takes the target's name; some file systems report a failed write
    // only here or at the close.
    int syncAndClose() {
        if (::fsync(fd_) != 0) {
            return errno;
        }
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

    int replace(const QByteArray& target) {
        if (::rename(name_.constData(), target.constData()) != 0) {
            return errno;
        }
        placed_ = true;
        return 0;
    }

private:
    QByteArray name_;
    int fd_ = -1;
    bool placed_ = false;
};

// The rename itself reaches the disk with the folder. A file system that cannot sync a folder
// has nothing more to do, and the file is in place whatever this says.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

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
    const LinkEnd target = followLinks(filePath);
    if (target.error != 0) {
        return fileErrorReason(target.error);
    }
    const QByteArray name = QFile::encodeName(target.path);
    struct stat old {};
    const bool replacing = ::lstat(name.constData(), &old) == 0;
    if (!replacing && errno != ENOENT) {
        return fileErrorReason(errno);
    }
    if (replacing) {
        if (std::optional<QString> refusal = refusalToReplace(name, old)) {
            return refusal;
        }
    }

    const QString folder = QFileInfo(target.path).absolutePath();
    PendingFile pending;
    int error = pending.create(folder);
    if (error == 0 && replacing) {
        error = pending.takeOwnerAndModeOf(old);
    }
    if (error == 0) {
        error = pending.write(bytes);
    }
    if (error == 0) {
        error = pending.syncAndClose();
    }
    if (error == 0) {
        error = pending.replace(name);
    }
    if (error != 0) {
        return fileErrorReason(error);
    }
    syncFolder(folder);
    return std::nullopt;
}

} // namespace writer
