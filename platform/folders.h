// Where files live: the files folder (high scores and settings, per user) and the
// program folder (the wave files, beside the executable or in the installed layout).
// Folders are held by the bytes the system names them with, so a name that is not
// UTF-8 still reaches the right folder: every file access goes through the bytes, never
// through the text form.
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>

namespace dz
{

class Folder
{
public:
    Folder() = default;
    explicit Folder(QByteArray native) : native_(std::move(native)) {}
    static Folder fromPath(const QString& path);

    const QByteArray& native() const { return native_; }
    // The folder as text, for messages only.
    QString path() const;
    // The file `name` in the folder, as text, for messages only.
    QString filePath(const QString& name) const;

private:
    QByteArray native_;
};

// $XDG_DATA_HOME/DirIziVur (when absolute), else ~/.local/share/DirIziVur with the home
// folder from $HOME (when absolute) or the user's account; or the folder fixed at build
// time. Not created here: the writers create it when they first write.
Folder DefaultFilesFolder();

// The folder that holds the wave files.
Folder ProgramFolder();

// Makes `folder` the current folder, where bare wave-file names are looked up.
void SetCurrentFolder(const Folder& folder);

// An open folder. Its descriptor keeps reaching the same folder whatever bytes name it.
class OpenFolder
{
public:
    OpenFolder() = default;
    explicit OpenFolder(int fd) : fd_(fd) {}
    OpenFolder(OpenFolder&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    OpenFolder& operator=(OpenFolder&& other) noexcept;
    ~OpenFolder();

    // Opens `folder`, first making it and the folders above it when `make`. Not open on
    // failure, with errno telling why.
    static OpenFolder open(const Folder& folder, bool make);

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // A path to `name` in this folder for Qt's file classes, which only take text.
    QString alias(const QByteArray& name) const;

private:
    int fd_ = -1;
};

// The name of the file in `folder` called `name` in any letter case, an exact match
// first: a regular file, a link to one or a link to nothing yet. Empty when there is none.
QByteArray FindFileCaseBlind(const OpenFolder& folder, const QByteArray& name);

} // namespace dz
