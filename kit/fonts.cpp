#include "kit/fonts.h"

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

namespace
{

QFont Face(const QStringList& families, double pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont PresidentFont(double pointSize, bool bold)
{
    static const QStringList families =
        InstalledFamilies({QStringLiteral("President"), QStringLiteral("Liberation Serif"),
                           QStringLiteral("DejaVu Serif")});
    return Face(families, pointSize, bold);
}

QFont ArialFont(double pointSize, bool bold)
{
    static const QStringList families =
        InstalledFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")});
    return Face(families, pointSize, bold);
}

QFont FormFont()
{
    static const QStringList families =
        InstalledFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    return Face(families, 8, false);
}

} // namespace dz
