// Where files live: the files folder (high scores and settings, per user) and the
// program folder (the wave files, beside the executable or in the installed layout).
// Folders are held by the bytes the system names them with, so a name that is not
// UTF-8 still reaches the right folder.
#pragma once

#include <QByteArray>
#include <QString>

namespace dz
{

class Folder
{
public:
    Folder() = default;
    explicit Folder(QByteArray native) : native_(std::move(native)) {}
    static Folder fromPath(const QString& path);

    const QByteArray& native() const { return native_; }
    // The folder as text, for messages and for Qt's file classes.
    QString path() const;
    // The file `name` in the folder, as text.
    QString filePath(const QString& name) const;

private:
    QByteArray native_;
};

// $XDG_DATA_HOME/DirIziVur, or the folder fixed at build time; always absolute. Not
// created here: the writers create it when they first write.
Folder DefaultFilesFolder();

// The folder that holds the wave files.
Folder ProgramFolder();

// Makes `folder` the current folder, where bare wave-file names are looked up.
void SetCurrentFolder(const Folder& folder);

// Path of the entry named `name` in `folder` matched without regard to letter case,
// preferring an exact match; empty when there is none. Folders do not count.
QString FindFileCaseBlind(const QString& folder, const QString& name);

} // namespace dz
