#include "kit/fonts.h"

#include <QFontDatabase>

namespace dz
{

QStringList InstalledFamilies(const QStringList& wanted)
{
    // One list of every installed family, matched without regard to letter case: asking
    // the database for each family in turn costs a fontconfig substitution apiece.
    static const QStringList installed = QFontDatabase::families();
    QStringList found;
    for (const QString& family : wanted) {
        for (const QString& name : installed) {
            if (name.compare(family, Qt::CaseInsensitive) == 0) {
                found << name;
                break;
            }
        }
    }
    return found.isEmpty() ? wanted : found;
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
