#include "platform/atomic_file.h"

#include <QSaveFile>

namespace dz
{

WriteResult WriteFileAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write that fails only on the closing flush (a full disk)
    // would still be committed, cut off, and reported as written.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {file.errorString()};
    if (file.write(content) != content.size() || file.error() != QFileDevice::NoError) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {why};
    }
    if (!file.commit())
        return {file.errorString()};
    return {};
}

} // namespace dz
