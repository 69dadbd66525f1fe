#include "kit/display_text.h"

#include <QLabel>

namespace dz
{

QString DisplayText(const QString& text)
{
    constexpr qsizetype MaxShown = 256;
    QString shown;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Bidirectional embeddings, overrides and isolates would turn text around.
        if ((u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            continue;
        if (shown.size() == MaxShown) {
            if (shown.back().isHighSurrogate())
                shown.chop(1);
            return shown + QChar(0x2026);
        }
        const bool breaksRow = u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
        shown += breaksRow ? QChar(QChar::ReplacementCharacter) : c;
    }
    return shown;
}

void UsePlainText(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

} // namespace dz
