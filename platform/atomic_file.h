// Replacing a file whole: written beside the old one and renamed over it, so a crash,
// a full disk or a kill midway leaves the old content intact.
#pragma once

#include <QByteArray>
#include <QString>

namespace dz
{

// False when nothing was replaced; the old file, if any, is then untouched.
bool WriteFileAtomically(const QString& path, const QByteArray& content);

} // namespace dz
