// The faces and text colours the windows were drawn with, each with the installed faces
// closest to it after it.
#pragma once

#include <QFont>
#include <QWidget>

namespace dz
{

// "President" is rarely installed; a serif display face stands in.
QFont PresidentFont(double pointSize, bool bold);

// "Arial", or its metric twin Liberation Sans.
QFont ArialFont(double pointSize, bool bold);

// The classic 8-point dialog face every window's controls were sized for; Liberation Sans
// comes closest to its widths where it is missing. The whole application uses it.
QFont FormFont();

inline void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace dz
