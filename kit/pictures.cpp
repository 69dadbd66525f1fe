#include "kit/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace dz
{

namespace
{

QString ResourcePath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

// Renders the picture at a size when that size is first asked for. Creating a window
// takes a handful of sizes of its icon (and of the application's); rendering every
// usual size up front, twice, was the largest cost of start-up.
class SvgIconEngine final : public QIconEngine
{
public:
    explicit SvgIconEngine(QString name) : name_(std::move(name)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // Shared by all icons of this picture: the application's and each window's.
        const QString key =
            QStringLiteral("dz-icon/%1/%2x%3").arg(name_).arg(size.width()).arg(size.height());
        QPixmap rendered;
        if (!QPixmapCache::find(key, &rendered)) {
            rendered = Picture(name_, size, 1.0);
            QPixmapCache::insert(key, rendered);
        }
        return rendered;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(ResourcePath(name_)).render(painter, rect);
    }
    QIconEngine* clone() const override { return new SvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("dz-svg"); }

private:
    QString name_;
};

} // namespace

QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(ResourcePath(name));
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon AppIcon()
{
    return QIcon(new SvgIconEngine(QStringLiteral("icon")));
}

} // namespace dz
