#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace dz
{

QString DefaultFilesFolder()
{
#ifdef DZ_FILES_FOLDER
    return QStringLiteral(DZ_FILES_FOLDER);
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/DirIziVur");
#endif
}

QString ProgramFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // Installed: <prefix>/bin/dirizivur with the sounds in <prefix>/share/dirizivur.
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/dirizivur"));
    if (!QFileInfo::exists(exeDir + QStringLiteral("/NewGame.Wav")) &&
        QFileInfo::exists(installed + QStringLiteral("/NewGame.Wav")))
        return installed;
    return exeDir;
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
