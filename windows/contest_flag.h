// The "Don't Show Again!" choice of the contest notice, kept as [Contest] Show=True or False in
// DirIziVur.ini in the files folder. Read afresh at every use.
#pragma once

#include <QString>

namespace dz
{

inline const QString SettingsFileName = QStringLiteral("DirIziVur.ini");

// True when the stored value starts with "True" (letter case significant): a missing file,
// section or key, "true" and "False" all leave the notice showing.
bool ReadDoNotShow(const QString& filesFolder);

// Stores "True" or "False" under the file's lock, creating the folder and the file when
// missing; a file that already holds the value is not touched. Returns why it could not.
QString WriteDoNotShow(const QString& filesFolder, bool ticked);

} // namespace dz
