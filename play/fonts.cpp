#include "play/fonts.h"

#include <QFontDatabase>

namespace dz
{

QStringList InstalledFamilies(const QStringList& wanted)
{
    QStringList installed;
    for (const QString& family : wanted) {
        if (QFontDatabase::hasFamily(family))
            installed << family;
    }
    return installed.isEmpty() ? wanted : installed;
}

} // namespace dz
