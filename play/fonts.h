// The faces and text colours the windows were drawn with, and the installed faces
// closest to those faces.
#pragma once

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace dz
{

// "President" is rarely installed, so one chain of display faces stands in everywhere.
inline QFont PresidentFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("President"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// "Arial", or its metric twin Liberation Sans.
inline QFont ArialFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// Every window's controls were sized for the classic 8-point dialog face; Liberation
// Sans comes closest to its widths where that face is missing.
inline QFont FormFont()
{
    QFont font = ArialFont(8, false);
    font.setFamilies(QStringList{QStringLiteral("MS Sans Serif")} + font.families());
    return font;
}

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
