// Where files live: the files folder (high scores and settings, per user unless fixed at
// build time) and the program folder (the wave files, beside the executable or installed).
#pragma once

#include <QString>

namespace dz
{

// $XDG_DATA_HOME/DirIziVur when that is absolute, else ~/.local/share/DirIziVur with the
// home folder from $HOME (when absolute) or the account; or the folder fixed at build time.
// Not created here: the writers create it when they first write.
QString DefaultFilesFolder();

// The folder that holds the wave files: <prefix>/share/dirizivur when the program is installed
// in <prefix>/games, else the program's own. Needs the application object.
QString ProgramFolder();

// The file in `folder` called `name` in any letter case, the exact spelling first; a user who
// renamed it still has the same file. `name` in `folder` when there is none.
QString FindFile(const QString& folder, const QString& name);

} // namespace dz
