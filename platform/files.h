// The two files of the files folder: read without surprises, and changed by a copy of the
// game that holds the lock beside the file, so two copies sharing the folder never lose each
// other's changes. A file is replaced whole, so a crash, a full disk or a kill midway leaves
// the old content.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class QLockFile;

namespace dz
{

struct FileRead {
    std::optional<QByteArray> bytes; // none: there is no file
    QString failure;                 // there is one, but it cannot be read: why
};

// At most `limit` bytes of the file (all of them for a negative limit). A folder, a pipe or
// anything else that is not a file counts as no file.
FileRead ReadFile(const QString& path, qint64 limit = -1);

// How long a writer waits for another copy of the game to let go of a file, and the age at
// which a lock that names no live holder is taken over: within one wait.
inline constexpr int LockWaitMs = 3000;
inline constexpr int LockStaleMs = 2000;

// A file held for a read-modify-write: the folder made when missing, the lock "<name>.lock"
// beside the file taken (another copy is waited for LockWaitMs) and the file found in any
// letter case. Released when destroyed; never to be held while the player is asked something.
class LockedFile
{
public:
    LockedFile(const QString& folder, const QString& name);
    ~LockedFile();

    // Why the lock is not held, in a few words for the player; empty when it is.
    const QString& failure() const { return failure_; }
    const QString& path() const { return path_; }

    // Replaces the file, keeping its mode, owner and group; a link is followed to its target
    // and stays a link. A file without any write bit is read-only, even to root. Returns why
    // it was not written, or nothing; the old file is then untouched.
    QString write(const QByteArray& content) const;

private:
    std::unique_ptr<QLockFile> lock_;
    QString path_;
    QString failure_;
};

} // namespace dz
