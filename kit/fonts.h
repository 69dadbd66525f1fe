// The faces and text colours the windows were drawn with, and the installed faces
// closest to those faces.
#pragma once

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace dz
{

// The families of `wanted` that are installed, in order (all of them when none is).
// Naming a missing face costs the font database a fallback search at every use.
QStringList InstalledFamilies(const QStringList& wanted);

// "President" is rarely installed, so one chain of display faces stands in everywhere.
QFont PresidentFont(double pointSize, bool bold);

// "Arial", or its metric twin Liberation Sans.
QFont ArialFont(double pointSize, bool bold);

// Every window's controls were sized for the classic 8-point dialog face; Liberation
// Sans comes closest to its widths where that face is missing.
QFont FormFont();

inline void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Gives a window the form face. The program sets it for the whole application before
// any window exists, which spares every window a second pass over its controls.
inline void UseFormFont(QWidget* window)
{
    if (QApplication::font() != FormFont())
        window->setFont(FormFont());
}

} // namespace dz
