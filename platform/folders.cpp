#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <pwd.h>
#include <unistd.h>

namespace dz
{

namespace
{

QString HomeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    const passwd* account = getpwuid(getuid());
    return account ? QFile::decodeName(account->pw_dir) : QDir::rootPath();
}

} // namespace

QString DefaultFilesFolder()
{
#ifdef DZ_FILES_FOLDER
    return QStringLiteral(DZ_FILES_FOLDER);
#else
    // The XDG rules ignore a relative XDG_DATA_HOME.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = HomeFolder() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/DirIziVur"));
#endif
}

QString ProgramFolder()
{
    const QString beside = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(beside + QStringLiteral("/../share/dirizivur"));
    return QFile::exists(installed + QStringLiteral("/NewGame.Wav")) ? installed : beside;
}

QString FindFile(const QString& folder, const QString& name)
{
    // Listing the folder only when needed keeps name patterns (and so regular expressions)
    // out of a returning player's start.
    const QDir dir(folder);
    if (!dir.exists(name))
        for (const QString& entry : dir.entryList(QDir::Files, QDir::Unsorted))
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
    return dir.filePath(name);
}

} // namespace dz
