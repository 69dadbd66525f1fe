#include "kit/frame.h"

#include <QPainter>

namespace dz
{

namespace
{

constexpr int CaptionLeft = 6;
constexpr int CaptionPadding = 2;

} // namespace

QRect Frame::captionRect() const
{
    if (title().isEmpty())
        return QRect();
    const QFontMetrics metrics = fontMetrics();
    const QString caption = QString(title()).remove(u'&');
    return QRect(CaptionLeft, 0, metrics.horizontalAdvance(caption) + 2 * CaptionPadding,
                 metrics.height());
}

QRect Frame::outline() const
{
    const int top = title().isEmpty() ? 0 : fontMetrics().height() / 2;
    return QRect(0, top, width() - 1, height() - 1 - top);
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect line = outline();
    // Etched: a shadow line with a light one beside it, as the classic dialogs had.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(line.translated(1, 1).adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(line.adjusted(0, 0, -1, -1));
    const QRect caption = captionRect();
    if (caption.isEmpty())
        return;
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

} // namespace dz
