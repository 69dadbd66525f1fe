// Where files live: the files folder (high scores and settings, per user) and the
// program folder (the wave files, beside the executable or in the installed layout).
#pragma once

#include <QString>

namespace dz
{

// $XDG_DATA_HOME/DirIziVur, or the folder fixed at build time. Not created here:
// the writers create it when they first write.
QString DefaultFilesFolder();

// The folder that holds the wave files.
QString ProgramFolder();

// Path of the entry named `name` in `folder` matched without regard to letter case,
// preferring an exact match; empty when there is none. Folders do not count.
QString FindFileCaseBlind(const QString& folder, const QString& name);

} // namespace dz
