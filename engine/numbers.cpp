#include "engine/numbers.h"

#include <QLocale>
#include <cmath>

namespace dz
{

QString NumberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    // The shortest digits that read back as the same number, and never an exponent:
    // TextNumber stops at an "e", so a rewritten high-score file would turn a stored
    // 1e-07 into 1.
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

namespace
{

// Length of the number at the start of text (after blanks), 0 if none.
qsizetype scanNumber(const QString& text, qsizetype start, double* value)
{
    qsizetype i = start;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    qsizetype digits = i - digitsStart;
    if (i < n && text[i] == u'.') {
        const qsizetype fracStart = ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        digits += i - fracStart;
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok); // C locale
    if (value)
        *value = ok && std::isfinite(v) ? v : 0;
    return i - start;
}

qsizetype skipBlanks(const QString& text, qsizetype i)
{
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    return i;
}

} // namespace

double TextNumber(const QString& text)
{
    double value = 0;
    scanNumber(text, skipBlanks(text, 0), &value);
    return value;
}

bool IsNumberText(const QString& text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype len = scanNumber(text, start, nullptr);
    return len > 0 && skipBlanks(text, start + len) == text.size();
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default rounding mode: to nearest even
}

} // namespace dz
