// The "Don't Show Again!" choice of the contest notice, kept as [Contest] Show=True or
// False in DirIziVur.ini in the files folder. Read afresh at every use.
#pragma once

#include <QString>

#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace dz
{

inline const QString SettingsFileName = QStringLiteral("DirIziVur.ini");

// The settings file: an existing one in any letter case, else where it is to be made.
QString SettingsFilePath(const Folder& filesFolder);

// True when the stored value starts with "True" (letter case significant): a missing
// file, section or key, "true" and "False" all leave the notice showing.
bool ReadDoNotShow(const Folder& filesFolder);

// Stores "True" or "False" under the file's lock, creating the folder and the file
// when missing; a file that already holds the value is not touched.
WriteResult WriteDoNotShow(const Folder& filesFolder, bool ticked);

} // namespace dz
