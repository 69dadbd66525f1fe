// Initialisation files ("[Section]" lines followed by "key=value" lines) read and
// written one value at a time, the way users' hand-edited files expect: names match
// without regard to letter case, blanks around names and values and one pair of
// matching quotes around a value are ignored, ";" and "#" lines are comments, and a
// write leaves every other byte of the file as it was.
#pragma once

#include <QString>

#include "platform/atomic_file.h"

namespace dz
{

// Files beyond this size are read only this far and never rewritten.
inline constexpr qint64 MaxProfileFileBytes = 1024 * 1024;

// The value of `key` in the first `section` of the file, else defaultValue; either cut
// to at most size - 1 characters (nothing for size < 2). A missing or unreadable file
// reads as missing.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& filePath);

// Stores value under `key` in the first `section`, adding the key at the end of the
// section, the section at the end of the file or the file (CRLF line ends) as needed.
// The file is replaced atomically and not at all when it already holds the value.
// On failure the old file is untouched.
WriteResult WritePrivateProfileString(const QString& section, const QString& key,
                                      const QString& value, const QString& filePath);

} // namespace dz
