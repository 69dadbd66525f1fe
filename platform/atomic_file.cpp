#include "platform/atomic_file.h"

#include <QSaveFile>

namespace dz
{

bool WriteFileAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write that fails only on the closing flush (a full disk)
    // would still be committed, cut off, and reported as written.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace dz
