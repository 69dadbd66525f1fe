#include "kit/fonts.h"

namespace dz
{

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
    return Face({QStringLiteral("President"), QStringLiteral("Liberation Serif"),
                 QStringLiteral("DejaVu Serif")},
                pointSize, bold);
}

QFont ArialFont(double pointSize, bool bold)
{
    return Face(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        pointSize, bold);
}

QFont FormFont()
{
    return Face({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                 QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
                8, false);
}

} // namespace dz
