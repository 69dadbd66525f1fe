#include "kit/frame.h"

#include <QPainter>
#include <qdrawutil.h>

namespace dz
{

void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QString caption = title();
    const int top = caption.isEmpty() ? 0 : fontMetrics().height() / 2;
    qDrawShadeRect(&painter, 0, top, width(), height() - top, palette(), true, 1, 0);
    if (caption.isEmpty())
        return;
    const QRect band(6, 0, fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) + 4,
                     fontMetrics().height());
    painter.fillRect(band, palette().window());
    painter.drawText(band, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

} // namespace dz
