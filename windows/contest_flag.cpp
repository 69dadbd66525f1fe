#include "windows/contest_flag.h"

#include <QDir>

#include "platform/folders.h"
#include "windows/profile.h"

namespace dz
{

namespace
{

const QString Section = QStringLiteral("Contest");
const QString Key = QStringLiteral("Show");

// A file the user renamed to other letter case still counts.
QString settingsFile(const QString& filesFolder)
{
    const QString found = FindFileCaseBlind(filesFolder, SettingsFileName);
    return found.isEmpty() ? QDir(filesFolder).filePath(SettingsFileName) : found;
}

} // namespace

bool ReadDoNotShow(const QString& filesFolder)
{
    // Six characters of room hold five of the value; the first four decide.
    const QString stored = GetPrivateProfileString(Section, Key, QStringLiteral("False"), 6,
                                                   settingsFile(filesFolder));
    return stored.left(4) == QStringLiteral("True");
}

void WriteDoNotShow(const QString& filesFolder, bool ticked)
{
    QDir().mkpath(filesFolder);
    WritePrivateProfileString(Section, Key,
                              ticked ? QStringLiteral("True") : QStringLiteral("False"),
                              settingsFile(filesFolder));
}

} // namespace dz
