#include "writer/SaveFixture.h"

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace writer {
namespace {

const QString FolderInTheWay = QStringLiteral("同名的文件夹已存在");
const QString NoWriteAccess = QStringLiteral("没有写入权限");

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    // The one given up is closed with the other's end.
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now: 0, or the error some file systems report only here for an earlier write.
    int close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

private:
    int fd_;
};

// Where the bytes go: a name in a folder the system has opened, and what stands there now.
struct Place {
    Descriptor folder;
    QByteArray name;
    std::optional<struct stat> existing;
    int error = 0;
};

Place failedPlace(int error) {
    Place place;
    place.error = error;
    return place;
}

// Follows the chosen name as the system does: the folders on the way are opened by the system,
// links among them and ".." after them included, and a link at the end leads on from its own
// real folder. A name that does not exist is where the new file goes.
Place placeOf(QByteArray path) {
    constexpr int MostLinksFollowed = 40;
    Descriptor linkFolder;
    for (int hop = 0; hop < MostLinksFollowed; ++hop) {
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray folderPart = slash < 0 ? "." : slash == 0 ? "/" : path.left(slash);
        Place place;
        place.name = path.mid(slash + 1);
        if (place.name.isEmpty() || place.name == "." || place.name == "..") {
            return failedPlace(EISDIR);
        }
        const int base = linkFolder.valid() ? linkFolder.get() : AT_FDCWD;
        place.folder =
            Descriptor(::openat(base, folderPart.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!place.folder.valid()) {
            return failedPlace(errno);
        }
        struct stat status {};
        if (::fstatat(place.folder.get(), place.name.constData(), &status, AT_SYMLINK_NOFOLLOW) !=
            0) {
            place.error = errno == ENOENT ? 0 : errno;
            return place;
        }
        if (!S_ISLNK(status.st_mode)) {
            place.existing = status;
            return place;
        }
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlinkat(place.folder.get(), place.name.constData(),
                                            target.data(), static_cast<size_t>(target.size()));
        if (length < 0 || length == target.size()) {
            return failedPlace(length < 0 ? errno : ENAMETOOLONG);
        }
        target.truncate(length);
        path = target;
        linkFolder = std::move(place.folder);
    }
    return failedPlace(ELOOP);
}

// The new name goes only into a folder its owner may write: the superuser could write into any
// folder, and is refused there as for a read-only file.
std::optional<QString> refusalToWriteInto(int folder) {
    struct stat status {};
    if (::fstat(folder, &status) != 0 || ::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        return FileErrorReason(errno);
    }
    if ((status.st_mode & S_IWUSR) == 0) {
        return NoWriteAccess;
    }
    return std::nullopt;
}

// An existing name is replaced only by a regular file its owner may write: the rename would go
// over a device, a pipe or a read-only file as well, and for the superuser over anything.
std::optional<QString> refusalToReplace(const Place& place) {
    const mode_t mode = place.existing->st_mode;
    if (S_ISDIR(mode)) {
        return FolderInTheWay;
    }
    if (!S_ISREG(mode)) {
        return QStringLiteral("该名称不是普通文件");
    }
    if ((mode & S_IWUSR) == 0) {
        return QStringLiteral("文件是只读的");
    }
    if (::faccessat(place.folder.get(), place.name.constData(), W_OK, AT_EACCESS) != 0) {
        return FileErrorReason(errno);
    }
    return std::nullopt;
}

// Short hidden names beside the target, until make takes a free one: a target whose name is as
// long as the folder allows still gets one. make returns 0 or the error number.
template <typename Make> int underFreeHiddenName(QByteArray& taken, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name =
            ".k36-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int error = make(name.constData());
        if (error == 0) {
            taken = name;
        }
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

// The new contents on their way into the folder. Where the file system allows, they are a file
// without a name until they are whole and on disk, so that a program ended midway leaves
// nothing behind; elsewhere a hidden file beside the target. Each step returns 0 or the error
// number. Unless it took the target's place, a named file is removed when this goes.
class NewContents {
public:
    explicit NewContents(int folder) : folder_(folder) {}
    NewContents(const NewContents&) = delete;
    NewContents& operator=(const NewContents&) = delete;
    ~NewContents() {
        if (!name_.isEmpty() && !placed_) {
            ::unlinkat(folder_, name_.constData(), 0);
        }
    }

    // Created with the umask's permissions, as any new file.
    int create() {
        file_ = Descriptor(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        if (file_.valid()) {
            unnamed_ = true;
            return 0;
        }
        // A file system without unnamed files says so, an older system takes it for a folder.
        if (errno != EOPNOTSUPP && errno != EISDIR) {
            return errno;
        }
        return underFreeHiddenName(name_, [this](const char* name) {
            file_ =
                Descriptor(::openat(folder_, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            return file_.valid() ? 0 : errno;
        });
    }

    // The replaced file's owner and permissions. Only the superuser can hand a file to another
    // owner; anyone else keeps the new file as their own.
    int takeOwnerAndModeOf(const struct stat& old) {
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(file_.get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            return errno;
        }
        return ::fchmod(file_.get(), old.st_mode & 07777) == 0 ? 0 : errno;
    }

    // Every byte, through short writes and interruptions; the first failure stops it.
    int write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(file_.get(), bytes.constData() + done,
                                            static_cast<size_t>(bytes.size() - done));
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

    // On the disk before it takes a name. A named file is closed here too, since some file
    // systems report a failed write only at the close. A file without a name stays open until
    // it has one; such files exist only on local file systems, where the sync reports it all.
    int sync() {
        if (::fsync(file_.get()) != 0) {
            return errno;
        }
        return unnamed_ ? 0 : file_.close();
    }

    // A new file appears whole under its name in one step. A replacing one needs a name of its
    // own to be renamed from, which the file without a name gets only right before the rename.
    int placeAs(const QByteArray& target, bool replacing) {
        if (unnamed_ && !replacing) {
            const int error = linkAs(target.constData());
            placed_ = error == 0;
            return error;
        }
        if (unnamed_) {
            if (const int error =
                    underFreeHiddenName(name_, [this](const char* name) { return linkAs(name); })) {
                return error;
            }
        }
        if (::renameat(folder_, name_.constData(), folder_, target.constData()) != 0) {
            return errno;
        }
        placed_ = true;
        return 0;
    }

private:
    // Any user may name an unnamed file through its entry in /proc; without /proc, only a
    // privileged one can.
    int linkAs(const char* name) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file_.get());
        if (::linkat(AT_FDCWD, self.constData(), folder_, name, AT_SYMLINK_FOLLOW) == 0) {
            return 0;
        }
        if (errno != ENOENT) {
            return errno;
        }
        return ::linkat(file_.get(), "", folder_, name, AT_EMPTY_PATH) == 0 ? 0 : errno;
    }

    int folder_;
    Descriptor file_;
    bool unnamed_ = false;
    QByteArray name_;
    bool placed_ = false;
};

// The new name reaches the disk with the folder. A folder that cannot be opened for reading or
// a file system that cannot sync one has nothing more to do; the file is in place either way.
void syncFolder(int folder) {
    const Descriptor readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.valid()) {
        ::fsync(readable.get());
    }
}

} // namespace

QString FileErrorReason(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EACCES:
    case EPERM:
        return NoWriteAccess;
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间已满");
    case EFBIG:
    case EOVERFLOW:
        return QStringLiteral("文件超出了允许的大小");
    case EISDIR:
    case ENOTEMPTY:
        return FolderInTheWay;
    case EEXIST:
        return QStringLiteral("同名的文件已存在");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case ELOOP:
        return QStringLiteral("符号链接的层数过多");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正在被使用");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case EXDEV:
        return QStringLiteral("文件不能跨文件系统移动");
    case EMLINK:
        return QStringLiteral("文件夹或文件的链接数已达上限");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件过多");
    case ENOMEM:
        return QStringLiteral("内存不足");
    case EINTR:
        return QStringLiteral("操作被中断");
    case EAGAIN:
        return QStringLiteral("资源暂时不可用，请稍后再试");
    case ETIMEDOUT:
        return QStringLiteral("操作超时");
    case ESTALE:
        return QStringLiteral("网络文件已失效");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("设备不存在");
    case EINVAL:
    case EOPNOTSUPP:
    case ENOSYS:
        return QStringLiteral("文件系统不支持此操作");
    default:
        // The system's own text would reach the user in English; the number lets help find it.
        return QStringLiteral("文件系统错误（错误号 %1）").arg(error);
    }
}

QString StartingSaveFolder(const QString& rememberedFolder) {
    if (!rememberedFolder.isEmpty() && !platform::firstFileIn(rememberedFolder).isEmpty()) {
        return rememberedFolder;
    }
    return platform::documentsFolder();
}

QString FolderOfFile(const QString& filePath) {
    const QString path =
        QDir::isAbsolutePath(filePath) ? filePath : QDir::currentPath() + u'/' + filePath;
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

std::optional<QString> WriteFileAtomically(const QString& filePath, const QByteArray& bytes) {
    const platform::FileSizeSignalIgnored sizeLimitFailsTheWrite;
    const Place place = placeOf(QFile::encodeName(filePath));
    if (place.error != 0) {
        return FileErrorReason(place.error);
    }
    if (std::optional<QString> refusal = refusalToWriteInto(place.folder.get())) {
        return refusal;
    }
    if (place.existing) {
        if (std::optional<QString> refusal = refusalToReplace(place)) {
            return refusal;
        }
    }

    NewContents contents(place.folder.get());
    int error = contents.create();
    if (error == 0 && place.existing) {
        error = contents.takeOwnerAndModeOf(*place.existing);
    }
    if (error == 0) {
        error = contents.write(bytes);
    }
    if (error == 0) {
        error = contents.sync();
    }
    if (error == 0) {
        error = contents.placeAs(place.name, place.existing.has_value());
    }
    if (error != 0) {
        return FileErrorReason(error);
    }
    syncFolder(place.folder.get());
    return std::nullopt;
}

} // namespace writer
