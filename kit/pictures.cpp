#include "kit/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace dz
{

QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    QSvgRenderer(QStringLiteral(":/pictures/%1.svg").arg(name))
        .render(&painter, QRectF(QPointF(), QSizeF(size)));
    return pixmap;
}

} // namespace dz
