#include "engine/numbers.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace dz
{

namespace
{

// Blanks, then an optional sign and digits with an optional point, at least one digit.
const QString Number = QStringLiteral(R"([ \t]*([-+]?(\d+\.?\d*|\.\d+)))");

} // namespace

QString NumberText(double value)
{
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0"); // also for -0
    // The shortest digits that read back as the same number, and never an exponent: TextNumber
    // stops at an "e", so a rewritten high-score file would turn a stored 1e-07 into 1.
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

double TextNumber(const QString& text)
{
    static const QRegularExpression start(u'^' + Number);
    const double value = start.match(text).captured(1).toDouble(); // C locale; 0 for no number
    return std::isfinite(value) ? value : 0;
}

bool IsNumberText(const QString& text)
{
    static const QRegularExpression whole(u'^' + Number + QStringLiteral(R"([ \t]*$)"));
    return whole.match(text).hasMatch();
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default rounding mode: to nearest even
}

} // namespace dz
