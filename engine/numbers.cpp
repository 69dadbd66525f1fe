#include "engine/numbers.h"

#include <QLocale>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace dz
{

namespace
{

// An optional sign, then digits with an optional point, at least one digit, and no exponent:
// the number and where it ends, or -1 where there is none. By hand rather than with a regular
// expression, whose compiling was most of what the game's start added to Qt's.
std::pair<double, qsizetype> Number(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    const bool minus = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    if (p == end || !(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.'))
        return {0, -1}; // also keeps "inf", "nan" and a second sign out
    double value = 0;   // kept when too large
    const char* stop = std::from_chars(p, end, value, std::chars_format::fixed).ptr;
    return {minus ? -value : value, stop - bytes.constData()};
}

} // namespace

QString NumberText(double value)
{
    // The shortest digits that read back as the same number, and never an exponent: TextNumber
    // stops at an "e", so a rewritten high-score file would turn a stored 1e-07 into 1. Also
    // "0" for -0.
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

double TextNumber(const QString& text)
{
    return Number(text).first;
}

bool IsNumberText(const QString& text)
{
    qsizetype end = Number(text).second;
    while (end >= 0 && end < text.size() && (text[end] == u' ' || text[end] == u'\t'))
        ++end;
    return end == text.size();
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default rounding mode: to nearest even
}

} // namespace dz
