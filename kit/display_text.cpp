#include "kit/display_text.h"

#include <QLabel>

namespace dz
{

namespace
{

constexpr qsizetype MaxShown = 256;

bool isBidiControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool breaksRow(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

} // namespace

QString DisplayText(const QString& text)
{
    if (text.isEmpty())
        return text;
    QString shown;
    shown.reserve(qMin(text.size(), MaxShown) + 3);
    shown += QChar(0x2068); // first strong isolate
    for (const QChar c : text) {
        if (shown.size() > MaxShown) {
            if (shown.back().isHighSurrogate())
                shown.chop(1);
            shown += QChar(0x2026);
            break;
        }
        if (isBidiControl(c.unicode()))
            continue;
        shown += breaksRow(c.unicode()) ? QChar(QChar::ReplacementCharacter) : c;
    }
    shown += QChar(0x2069); // pop directional isolate
    return shown;
}

void UsePlainText(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

} // namespace dz
