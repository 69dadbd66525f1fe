#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace dz
{

Folder Folder::fromPath(const QString& path)
{
    return Folder(QFile::encodeName(path));
}

QString Folder::path() const
{
    return QFile::decodeName(native_);
}

QString Folder::filePath(const QString& name) const
{
    return path() + u'/' + name;
}

Folder DefaultFilesFolder()
{
#ifdef DZ_FILES_FOLDER
    return Folder(QByteArray(DZ_FILES_FOLDER));
#else
    return Folder::fromPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/DirIziVur"));
#endif
}

Folder ProgramFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // Installed: <prefix>/bin/dirizivur with the sounds in <prefix>/share/dirizivur.
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/dirizivur"));
    if (!QFileInfo::exists(exeDir + QStringLiteral("/NewGame.Wav")) &&
        QFileInfo::exists(installed + QStringLiteral("/NewGame.Wav")))
        return Folder::fromPath(installed);
    return Folder::fromPath(exeDir);
}

void SetCurrentFolder(const Folder& folder)
{
    if (!folder.native().isEmpty() && chdir(folder.native().constData()) != 0) {
        // A folder gone since start-up: the sounds then fall back to the bell.
    }
}

QString FindFileCaseBlind(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile())
        return exact.filePath();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

} // namespace dz
