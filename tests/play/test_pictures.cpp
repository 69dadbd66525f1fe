// The window icon, rendered on demand: every size a window system or a dialog may ask
// for comes out at that size, sharp and not blank.
#include <QImage>
#include <QTest>

#include "play/pictures.h"

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void appIconAtAnySize_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<qreal>("ratio");
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%d px", side) << side << 1.0;
        QTest::newRow("32 px on a doubled screen") << 32 << 2.0;
        QTest::newRow("size no list held") << 100 << 1.0;
    }
    void appIconAtAnySize()
    {
        QFETCH(int, side);
        QFETCH(qreal, ratio);
        const QIcon icon = dz::AppIcon();
        QVERIFY(!icon.isNull());
        const QPixmap pixmap = icon.pixmap(QSize(side, side), ratio);
        QCOMPARE(pixmap.size(), QSize(side, side) * ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        // Drawn, not an empty square: some pixels are opaque, the corners are not all.
        const QImage image = pixmap.toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        }
        QVERIFY2(opaque > image.width() * image.height() / 4, qPrintable(QString::number(opaque)));
        // Asked again, the same rendering comes back rather than a new one.
        if (ratio == 1.0)
            QCOMPARE(icon.pixmap(QSize(side, side)).cacheKey(), pixmap.cacheKey());
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
