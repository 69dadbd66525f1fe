#include "windows/contest_flag.h"

#include <QDir>

#include "windows/profile.h"

namespace dz
{

namespace
{

const QString Section = QStringLiteral("Contest");
const QString Key = QStringLiteral("Show");

} // namespace

// A file the user renamed to other letter case still counts.
QString SettingsFilePath(const Folder& filesFolder)
{
    const QString found = FindFileCaseBlind(filesFolder.path(), SettingsFileName);
    return found.isEmpty() ? filesFolder.filePath(SettingsFileName) : found;
}

bool ReadDoNotShow(const Folder& filesFolder)
{
    // Six characters of room hold five of the value; the first four decide.
    const QString stored = GetPrivateProfileString(Section, Key, QStringLiteral("False"), 6,
                                                   SettingsFilePath(filesFolder));
    return stored.left(4) == QStringLiteral("True");
}

WriteResult WriteDoNotShow(const Folder& filesFolder, bool ticked)
{
    if (!QDir().mkpath(filesFolder.path()))
        return {QStringLiteral("the folder cannot be made")};
    return WritePrivateProfileString(Section, Key,
                                     ticked ? QStringLiteral("True") : QStringLiteral("False"),
                                     SettingsFilePath(filesFolder));
}

} // namespace dz
