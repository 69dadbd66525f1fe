#include "platform/atomic_file.h"

#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz
{

namespace
{

const QString ReadOnly = QStringLiteral("the file is read-only");
const QString FolderClosed = QStringLiteral("you may not write in the folder");

// Where a name finally leads once its links are followed: a folder and a name in it.
struct Target {
    OpenFolder opened; // set once a link led elsewhere
    int folderFd = -1;
    QByteArray name;
    int error = 0;
};

Target FollowLinks(int folderFd, const QByteArray& name)
{
    Target t{OpenFolder(), folderFd, name};
    for (int hops = 0;; ++hops) {
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = readlinkat(t.folderFd, t.name.constData(), link.data(), PATH_MAX);
        if (n < 0) {
            // Not a link, or nothing there yet: this is the target.
            if (errno != EINVAL && errno != ENOENT)
                t.error = errno;
            return t;
        }
        if (hops == 40) {
            t.error = ELOOP;
            return t;
        }
        link.truncate(n);
        const qsizetype slash = link.lastIndexOf('/');
        t.name = link.mid(slash + 1);
        if (t.name.isEmpty() || t.name == "." || t.name == "..") {
            t.error = EISDIR;
            return t;
        }
        // A relative link is relative to the folder the link is in.
        QByteArray folder = link.left(slash + 1);
        if (folder.isEmpty())
            folder = ".";
        OpenFolder next(openat(t.folderFd, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!next.isOpen()) {
            t.error = errno;
            return t;
        }
        t.folderFd = next.fd();
        t.opened = std::move(next);
    }
}

// Temporaries are ".<name>.dirizivur-" and eight hex digits: no other file can be
// taken for one left behind by a killed writer.
QByteArray TemporaryPrefix(const QByteArray& name)
{
    return '.' + name + ".dirizivur-";
}

bool IsOurTemporary(const char* entry, const QByteArray& prefix)
{
    const QByteArray tail = QByteArray(entry).mid(prefix.size());
    if (std::strncmp(entry, prefix.constData(), size_t(prefix.size())) != 0 || tail.size() != 8)
        return false;
    return std::all_of(tail.begin(), tail.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

void RemoveLeftTemporaries(int folderFd, const QByteArray& name)
{
    DIR* dir = fdopendir(openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir)
        return;
    const QByteArray prefix = TemporaryPrefix(name);
    while (const dirent* entry = readdir(dir)) {
        if (IsOurTemporary(entry->d_name, prefix))
            unlinkat(folderFd, entry->d_name, 0);
    }
    closedir(dir);
}

// errno of the first failure, 0 when all was written.
int WriteAll(int fd, const QByteArray& content)
{
    // A file-size limit raises SIGXFSZ, which would end the program: held back in this
    // thread, the write fails with EFBIG instead and the signal is taken off after.
    sigset_t fileSize, before;
    sigemptyset(&fileSize);
    sigaddset(&fileSize, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &fileSize, &before);
    int error = 0;
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0) {
            error = errno;
            break;
        }
        done += n;
    }
    const timespec now{};
    while (sigtimedwait(&fileSize, nullptr, &now) == SIGXFSZ) {
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return error;
}

// The temporary filled, given the old file's attributes and renamed over `name`.
int Replace(int folderFd, const QByteArray& name, const struct stat* old, const QByteArray& content,
            const QByteArray& temporary)
{
    const int fd =
        openat(folderFd, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, content);
    if (error == 0 && old) {
        // Only root may give a file away; anyone else keeps what they can.
        (void)fchown(fd, old->st_uid, old->st_gid);
        if (fchmod(fd, old->st_mode & 07777) != 0)
            error = errno;
    }
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && renameat(folderFd, temporary.constData(), folderFd, name.constData()) != 0)
        error = errno;
    if (error != 0)
        unlinkat(folderFd, temporary.constData(), 0);
    else
        fsync(folderFd); // the rename itself survives a power cut
    return error;
}

// A copy of the game killed while clearing a dead lock leaves "<lock>.rmlock" files,
// which QLockFile would honour for half a minute: those no live process holds go.
void ClearDeadRemovalLocks(int folderFd, QByteArray name)
{
    for (name += ".rmlock";; name += ".rmlock") {
        const int fd = openat(folderFd, name.constData(), O_RDWR | O_CLOEXEC);
        if (fd == -1)
            return;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlinkat(folderFd, name.constData(), 0);
        ::close(fd);
    }
}

} // namespace

QString FailureText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return FolderClosed;
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("the disk is full");
    case EISDIR:
        return QStringLiteral("a folder of that name is in the way");
    case ENOTDIR:
    case EEXIST:
        return QStringLiteral("a file is in the way of the folder");
    case ENOENT:
        return QStringLiteral("the folder does not exist");
    case ELOOP:
        return QStringLiteral("its links lead round in a circle");
    case ENAMETOOLONG:
        return QStringLiteral("the name is too long");
    case EIO:
        return QStringLiteral("the disk could not be read or written");
    case ENOMEM:
        return QStringLiteral("the computer is out of memory");
    case EWOULDBLOCK:
        return QStringLiteral("another copy of the game is keeping it locked");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

int OpenFileForReading(const OpenFolder& folder, const QByteArray& name)
{
    const int fd = openat(folder.fd(), name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        errno = ENOENT;
        return -1;
    }
    return fd;
}

FileBytes ReadStoredFile(const Folder& folder, const QByteArray& name)
{
    const OpenFolder opened = OpenFolder::open(folder, false);
    if (!opened.isOpen())
        return {};
    const QByteArray found = FindFileCaseBlind(opened, name);
    return found.isEmpty() ? FileBytes{} : ReadWholeFile(opened, found);
}

FileBytes ReadWholeFile(const OpenFolder& folder, const QByteArray& name)
{
    const int fd = OpenFileForReading(folder, name);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        return {
            std::nullopt,
            {errno == EACCES ? QStringLiteral("you may not read the file") : FailureText(errno)}};
    }
    QFile file; // closes the descriptor
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, {FailureText(EIO)}};
    return {std::move(bytes), {}};
}

WriteResult WriteFileAtomically(const OpenFolder& folder, const QByteArray& name,
                                const QByteArray& content)
{
    const Target target = FollowLinks(folder.fd(), name);
    if (target.error != 0)
        return {FailureText(target.error)};
    struct stat old;
    const bool exists =
        fstatat(target.folderFd, target.name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return {FailureText(errno)};
    if (exists && S_ISDIR(old.st_mode))
        return {FailureText(EISDIR)};
    if (exists && !S_ISREG(old.st_mode))
        return {QStringLiteral("something that is not a file is in its place")};
    // A file without a write bit is read-only, even to root.
    if (exists && (old.st_mode & 0222) == 0)
        return {ReadOnly};
    // Denied to this user, or marked unchangeable: read-only either way.
    if (exists && faccessat(target.folderFd, target.name.constData(), W_OK, AT_EACCESS) != 0)
        return {errno == EACCES || errno == EPERM ? ReadOnly : FailureText(errno)};

    RemoveLeftTemporaries(target.folderFd, target.name);
    for (int attempt = 0;; ++attempt) {
        const QByteArray temporary =
            TemporaryPrefix(target.name) +
            QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0');
        const int error =
            Replace(target.folderFd, target.name, exists ? &old : nullptr, content, temporary);
        if (error == 0)
            return {};
        if (error != EEXIST || attempt == 9)
            return {FailureText(error)};
    }
}

LockedFile::LockedFile(const Folder& folder, const QByteArray& fileName, int waitMs)
    : folder_(OpenFolder::open(folder, true))
{
    if (!folder_.isOpen()) {
        failure_ = {FailureText(errno)};
        return;
    }
    // Told before the lock file is tried, which cannot say why it failed.
    if (faccessat(folder_.fd(), ".", W_OK, AT_EACCESS) != 0) {
        failure_ = {FailureText(errno)};
        return;
    }
    // QLockFile clears a lock whose holder died, and one left empty by a holder killed
    // while making it once it is older than the stale time; a live holder keeps its lock
    // however old, by flock.
    ClearDeadRemovalLocks(folder_.fd(), fileName + ".lock");
    lock_ = std::make_unique<QLockFile>(folder_.alias(fileName + ".lock"));
    lock_->setStaleLockTime(LockStaleMs);
    if (!lock_->tryLock(waitMs)) {
        failure_ = {lock_->error() == QLockFile::LockFailedError
                        ? FailureText(EWOULDBLOCK)
                        : QStringLiteral("the lock beside the file cannot be made")};
        lock_.reset();
        return;
    }
    name_ = FindFileCaseBlind(folder_, fileName);
    if (name_.isEmpty())
        name_ = fileName;
}

LockedFile::~LockedFile() = default;

WriteResult LockedFile::write(const QByteArray& content) const
{
    if (!failure_.ok())
        return failure_;
    return WriteFileAtomically(folder_, name_, content);
}

} // namespace dz
