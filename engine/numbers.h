// Numbers held as label and file text. Independent of the user's locale: a German
// desktop still reads and writes "0.5".
#pragma once

#include <QString>

namespace dz
{

// General decimal form: "0", "2", "-0.5", "102.5"; no exponent, no separators.
QString NumberText(double value);

// Ordinary decimal parsing: optional sign, digits, optional point and fraction. Whatever
// follows is ignored; text with no number reads as 0.
double TextNumber(const QString& text);

// True when the whole text (blanks after it aside) is such a number.
bool IsNumberText(const QString& text);

// Nearest whole number, an exact half going to the even neighbour (8.5 gives 8).
int RoundHalfEven(double value);

} // namespace dz
