// The files of the files folder: read without surprises, and replaced whole through a
// temporary renamed over the old one, so a crash, a full disk or a kill midway leaves
// the old content intact. A read-modify-write holds a lock beside the file, so two
// copies of the game sharing the folder never lose each other's changes.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "platform/folders.h"

class QLockFile;

namespace dz
{

// Why a file was not written, in words for the player; empty when it was.
struct WriteResult {
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

// The player's words for a system error number.
QString FailureText(int error);

// How long a writer waits for another copy of the game to let go of a file.
inline constexpr int LockWaitMs = 3000;
// Age at which a lock file that tells no live holder is cleared; within one wait.
inline constexpr int LockStaleMs = 2000;

// A descriptor for reading `name` in `folder`, or -1 (errno says why: ENOENT also when
// the name is no regular file, so a pipe or a device is never read).
int OpenFileForReading(const OpenFolder& folder, const QByteArray& name);

struct FileBytes {
    std::optional<QByteArray> bytes; // nothing: there is no file
    WriteResult failure;             // there is one, but it cannot be read
};

// The file in `folder` called `name` in any letter case, read whole.
FileBytes ReadStoredFile(const Folder& folder, const QByteArray& name);
FileBytes ReadWholeFile(const OpenFolder& folder, const QByteArray& name);

// Replaces `name` in `folder`, keeping the old file's mode, owner and group. A link is
// followed to its target, which gets the content; the link stays. A file nobody may
// write is read-only and left alone. On failure the old file is untouched.
WriteResult WriteFileAtomically(const OpenFolder& folder, const QByteArray& name,
                                const QByteArray& content);

// A file of a files folder held for a read-modify-write: the folder opened (made when
// missing), the lock "<fileName>.lock" beside the file taken (waiting up to waitMs for
// another holder) and the file found in any letter case. Released on destruction.
class LockedFile
{
public:
    LockedFile(const Folder& folder, const QByteArray& fileName, int waitMs = LockWaitMs);
    ~LockedFile();

    // Why the lock is not held; empty when it is.
    const WriteResult& failure() const { return failure_; }
    const OpenFolder& folder() const { return folder_; }
    // The name found, or fileName when there is no such file yet.
    const QByteArray& name() const { return name_; }
    WriteResult write(const QByteArray& content) const;

private:
    OpenFolder folder_;
    std::unique_ptr<QLockFile> lock_;
    QByteArray name_;
    WriteResult failure_;
};

} // namespace dz
