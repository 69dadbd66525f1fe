// The display face the windows' headings use. "President" is rarely installed, so one
// fallback chain of bold display faces stands in for it everywhere.
#pragma once

#include <QFont>

namespace dz
{

inline QFont PresidentFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("President"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace dz
