#include "platform/files.h"

#include <QDir>
#include <QLockFile>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/folders.h"

namespace dz
{

namespace
{

const QString ReadOnly = QStringLiteral("the file is read-only");

// The system's words, in the middle of a sentence.
QString Said(const QString& words)
{
    return words.isEmpty() ? words : words.front().toLower() + words.sliced(1);
}

QString Why(const QFileDevice& file)
{
    return Said(file.errorString());
}

} // namespace

FileRead ReadFile(const QString& path, qint64 limit)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, Why(file)};
    QByteArray bytes = limit < 0 ? file.readAll() : file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, Why(file)};
    return {std::move(bytes), {}};
}

LockedFile::LockedFile(const QString& folder, const QString& name)
{
    if (!QDir().mkpath(folder)) {
        failure_ = QStringLiteral("the folder cannot be made");
        return;
    }
    const QString lockName = QDir(folder).filePath(name + QStringLiteral(".lock"));
    // Left empty by a copy killed while clearing a dead lock, it would be honoured for 30 s;
    // a live copy guards its own lock without it.
    const QString clearing = lockName + QStringLiteral(".rmlock");
    if (QFileInfo(clearing).size() == 0)
        QFile::remove(clearing);
    lock_ = std::make_unique<QLockFile>(lockName);
    // A dead copy's lock goes at once, and one left empty by a copy killed while making it goes
    // when stale; a live copy keeps its lock however old.
    lock_->setStaleLockTime(LockStaleMs);
    // A folder or a pipe in the lock's place would be waited for, or read for ever.
    const QFileInfo inTheWay(lockName);
    if ((!inTheWay.exists() || inTheWay.isFile()) && lock_->tryLock(LockWaitMs)) {
        path_ = FindFile(folder, name);
        return;
    }
    const QLockFile::LockError error = lock_->error();
    failure_ = error == QLockFile::LockFailedError
                   ? QStringLiteral("another copy of the game is keeping it locked")
               : error == QLockFile::PermissionError
                   ? QStringLiteral("you may not write in the folder")
                   : QStringLiteral("the lock beside the file cannot be made");
}

LockedFile::~LockedFile() = default;

QString LockedFile::write(const QByteArray& content) const
{
    if (!failure_.isEmpty())
        return failure_;
    // Qt would replace a pipe or a loop of links by a file, and root passes its writable test:
    // the target is looked at first.
    const QByteArray native = QFile::encodeName(path_);
    struct stat old;
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Said(qt_error_string(errno));
    if (exists && !S_ISREG(old.st_mode))
        return QStringLiteral("something that is not a file is in its place");
    if (exists && (old.st_mode & 0222) == 0)
        return ReadOnly;
    // Denied to this user, or marked unchangeable: read-only either way.
    if (exists && ::access(native.constData(), W_OK) != 0)
        return errno == EROFS ? Said(qt_error_string(errno)) : ReadOnly;

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return Why(file);
    if (exists) {
        // The replacement is the writer's and takes the writer's access; only root may give
        // it back to its owner, then the old mode goes on top.
        (void)fchown(file.handle(), old.st_uid, old.st_gid);
        fchmod(file.handle(), old.st_mode & 07777);
    }
    // commit() would call a file cut short by a full buffer's failed flush a success, and Qt
    // has no words for why a flush failed. Without a commit the temporary goes.
    if (file.write(content) != content.size() || !file.flush())
        return Said(qt_error_string(errno));
    return file.commit() ? QString() : Why(file);
}

} // namespace dz
