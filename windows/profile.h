// Initialisation files ("[Section]" lines followed by "key=value" lines) read and written one
// value at a time, the way users' hand-edited files expect: names match without regard to
// letter case, blanks around names and values and one pair of matching quotes around a value
// are ignored, ";" and "#" lines are comments, and a write leaves every other byte of the file
// as it was. A file that starts with the UTF-16LE byte-order mark is UTF-16LE text and stays
// so; any other is edited byte by byte.
#pragma once

#include <QByteArray>
#include <QString>

namespace dz
{

// The value of `key` in the first `section` of `file` (the file's bytes), else defaultValue;
// either cut to at most size - 1 characters (nothing for size < 2).
QString ProfileString(const QString& section, const QString& key, const QString& defaultValue,
                      int size, const QByteArray& file);

// `file` with `value` stored under `key` in the first `section`: the value replaced, or the key
// added after the section's last key, or the section at the end of the file, in the file's own
// line ends (CR LF for a new file). The very same bytes come back when the file already holds
// the value.
QByteArray WithProfileString(const QString& section, const QString& key, const QString& value,
                             const QByteArray& file);

} // namespace dz
