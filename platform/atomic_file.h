// Replacing a file whole: written beside the old one and renamed over it, so a crash,
// a full disk or a kill midway leaves the old content intact.
#pragma once

#include <QByteArray>
#include <QString>

namespace dz
{

// Why a file was not written, in words for the player; empty when it was.
struct WriteResult {
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

// On failure the old file, if any, is untouched.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& content);

} // namespace dz
