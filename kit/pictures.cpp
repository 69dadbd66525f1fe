#include "kit/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <memory>

namespace dz
{

namespace
{

QString ResourcePath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

QPixmap Render(QSvgRenderer& renderer, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

// Renders the picture at a size when that size is first asked for, from one parse of
// its SVG shared by every copy of the icon: the window system asks for several sizes.
class SvgIconEngine final : public QIconEngine
{
public:
    explicit SvgIconEngine(QString name) : name_(std::move(name)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QString key =
            QStringLiteral("dz-icon/%1/%2x%3").arg(name_).arg(size.width()).arg(size.height());
        QPixmap rendered;
        if (!QPixmapCache::find(key, &rendered)) {
            rendered = Render(renderer(), size, 1.0);
            QPixmapCache::insert(key, rendered);
        }
        return rendered;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        renderer().render(painter, rect);
    }
    QIconEngine* clone() const override { return new SvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("dz-svg"); }

private:
    QSvgRenderer& renderer()
    {
        if (!renderer_)
            renderer_ = std::make_shared<QSvgRenderer>(ResourcePath(name_));
        return *renderer_;
    }

    QString name_;
    std::shared_ptr<QSvgRenderer> renderer_;
};

} // namespace

QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(ResourcePath(name));
    return Render(renderer, size, devicePixelRatio);
}

QIcon AppIcon()
{
    return QIcon(new SvgIconEngine(QStringLiteral("icon")));
}

} // namespace dz
