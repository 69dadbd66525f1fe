#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "play/context.h"
#include "play/show_window.h"
#include "support/fakes.h"
#include "windows/desktop_fakes.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using dz::frmAbout;
using dz::frmContest;
using dz::frmScoring;

namespace {

struct Run {
    Run()
    {
        ctx.dialogs = &dialogs;
        ctx.sound = &sound;
        ctx.desktop = &desktop;
        ctx.registry = &registry;
        ctx.filesFolder = dir.path();
    }
    QString iniPath() const { return dir.filePath("DirIziVur.ini"); }
    QByteArray ini() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void setIni(const QByteArray& bytes) const
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    dz::test::ScriptedDialogs dialogs;
    dz::test::RecordingSound sound;
    dz::test::RecordingDesktop desktop;
    dz::test::ScriptedRegistry registry;
    dz::Context ctx;
};

template <class W>
int openCount()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<W*>(w) && w->isVisible();
    return count;
}

template <class T>
T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QImage imageOf(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y));
    return count;
}

} // namespace

class TestAuxWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
    }

    void contestScrollsInTwips()
    {
        Run run;
        auto* contest = dz::ShowModeless<frmContest>(run.ctx);
        auto* bar = child<QScrollBar>(contest, "VScroll");
        auto* picture = child<QLabel>(contest, "Picture2");
        auto* viewport = child<QWidget>(contest, "Picture1");
        QCOMPARE(contest->size(), QSize(344, 242));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 5445);
        QCOMPARE(bar->pageStep(), 1089);
        QCOMPARE(bar->singleStep(), 218);
        QCOMPARE(bar->height(), viewport->height());
        QCOMPARE(picture->parentWidget(), viewport);
        QCOMPARE(picture->y(), 0);

        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(picture->y(), -15); // 218 twips
        QTest::keyClick(bar, Qt::Key_PageDown);
        QCOMPARE(bar->value(), 218 + 1089);
        QCOMPARE(picture->y(), -87);

        // A dragged thumb moves nothing until it is let go.
        bar->setSliderDown(true);
        bar->setSliderPosition(5445);
        QCOMPARE(picture->y(), -87);
        bar->setSliderDown(false);
        QCOMPARE(bar->value(), 5445);
        QCOMPARE(picture->y(), -363);

        // A fresh window shows the picture from its top again.
        QPointer<frmContest> gone(contest);
        contest->close();
        QTRY_VERIFY(gone.isNull());
        contest = dz::ShowModeless<frmContest>(run.ctx);
        QCOMPARE(child<QScrollBar>(contest, "VScroll")->value(), 0);
        QCOMPARE(child<QLabel>(contest, "Picture2")->y(), 0);
        QVERIFY(run.sound.played.isEmpty());
    }

    void contestBoxShowsStoredChoice_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("no file") << QByteArray("<missing>") << false;
        QTest::newRow("True") << QByteArray("[Contest]\r\nShow=True\r\n") << true;
    }
    void contestBoxShowsStoredChoice()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, ticked);
        Run run;
        if (ini != "<missing>")
            run.setIni(ini);
        auto* contest = dz::ShowModeless<frmContest>(run.ctx);
        QCOMPARE(child<QCheckBox>(contest, "chkDoNotShow")->isChecked(), ticked);
    }

    void contestOkStoresTheBox_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("ticked, no file")
            << QByteArray("<missing>") << true << QByteArray("[Contest]\r\nShow=True\r\n");
        QTest::newRow("cleared after True")
            << QByteArray("[Other]\nA=1\n[Contest]\nShow=True\n") << false
            << QByteArray("[Other]\nA=1\n[Contest]\nShow=False\n");
    }
    void contestOkStoresTheBox()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, tick);
        QFETCH(QByteArray, after);
        Run run;
        if (before != "<missing>")
            run.setIni(before);
        QPointer<frmContest> contest = dz::ShowModeless<frmContest>(run.ctx);
        child<QCheckBox>(contest, "chkDoNotShow")->setChecked(tick);
        QTest::mouseClick(child<QPushButton>(contest, "cmdOK"), Qt::LeftButton);
        QCOMPARE(run.ini(), after);
        QTRY_VERIFY(contest.isNull());
    }

    void contestCloseBoxWritesNothing()
    {
        Run run;
        QPointer<frmContest> contest = dz::ShowModeless<frmContest>(run.ctx);
        child<QCheckBox>(contest, "chkDoNotShow")->setChecked(true);
        contest->close();
        QTRY_VERIFY(contest.isNull());
        QCOMPARE(run.ini(), "<missing>");

        run.setIni("[Contest]\nShow=True\n");
        contest = dz::ShowModeless<frmContest>(run.ctx);
        child<QCheckBox>(contest, "chkDoNotShow")->setChecked(false);
        contest->close();
        QCOMPARE(run.ini(), "[Contest]\nShow=True\n");
    }

    void eachWindowOpensOnce()
    {
        Run run;
        run.ctx.settings.SoundOn = true;
        auto* contest = dz::ShowModeless<frmContest>(run.ctx);
        QCOMPARE(dz::ShowModeless<frmContest>(run.ctx), contest);
        auto* about = dz::ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(dz::ShowModeless<frmAbout>(run.ctx), about);
        auto* scoring = dz::ShowModeless<frmScoring>(run.ctx);
        QCOMPARE(dz::ShowModeless<frmScoring>(run.ctx), scoring);
        QCOMPARE(openCount<frmContest>(), 1);
        QCOMPARE(openCount<frmAbout>(), 1);
        QCOMPARE(openCount<frmScoring>(), 1);
        // Bringing the open about box forward does not load it again.
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
    }

    void aboutClosesOnOkEnterAndEsc_data()
    {
        QTest::addColumn<int>("key"); // 0: a click on OK
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void aboutClosesOnOkEnterAndEsc()
    {
        QFETCH(int, key);
        Run run;
        QPointer<frmAbout> about = dz::ShowModeless<frmAbout>(run.ctx);
        auto* ok = child<QPushButton>(about, "cmdOK");
        QVERIFY(ok->isDefault());
        if (key == 0)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(about, Qt::Key(key));
        QTRY_VERIFY(about.isNull());
        QVERIFY(run.dialogs.shown.isEmpty());
    }

    void aboutSoundOnlyAtFreshOpeningWithSoundOn()
    {
        Run run;
        QPointer<frmAbout> about = dz::ShowModeless<frmAbout>(run.ctx);
        QVERIFY(run.sound.played.isEmpty());
        about->close();
        QTRY_VERIFY(about.isNull());

        run.ctx.settings.SoundOn = true;
        about = dz::ShowModeless<frmAbout>(run.ctx);
        dz::ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        about->close();
        QTRY_VERIFY(about.isNull());
        dz::ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(run.sound.played, QStringList({"GoodDeal.Wav", "GoodDeal.Wav"}));
    }

    void aboutLinks_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("url");
        QTest::newRow("home page") << "Label3"
                                   << "https://www.dirizivur.example/";
        QTest::newRow("e-mail") << "lblEmail"
                                << "mailto:author@dirizivur.example";
    }
    void aboutLinks()
    {
        QFETCH(QString, label);
        QFETCH(QString, url);
        Run run;
        auto* about = dz::ShowModeless<frmAbout>(run.ctx);
        auto* link = child<QLabel>(about, label.toLatin1());
        QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(link->cursor().hotSpot(), QPoint(12, 1));
        QCOMPARE(link->cursor().pixmap().deviceIndependentSize(), QSizeF(32, 32));

        QTest::mouseClick(link, Qt::RightButton);
        QVERIFY(run.desktop.urls.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(run.desktop.urls, QList<QUrl>{QUrl(url)});
        QVERIFY(about->isVisible());
    }

    void aboutLabelsShowTheirWholeText()
    {
        Run run;
        auto* about = dz::ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(about->size(), QSize(382, 242));
        for (const char* name :
             {"lblTitle", "lblVersion", "Label1", "lblEmail", "Label2", "Label3"}) {
            auto* label = child<QLabel>(about, name);
            QVERIFY2(label->sizeHint().width() <= label->width(), name);
            QVERIFY2(label->geometry().right() < about->width(), name);
        }
        // The two columns of the link rows do not run into each other.
        QVERIFY(child<QLabel>(about, "Label2")->geometry().right() <
                child<QLabel>(about, "Label3")->x());
    }

    void aboutSystemInfo_data()
    {
        QTest::addColumn<bool>("found");
        QTest::newRow("tool found") << true;
        QTest::newRow("no tool") << false;
    }
    void aboutSystemInfo()
    {
        QFETCH(bool, found);
        Run run;
        if (found) {
            run.registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                                 QByteArray("/usr/bin/hardinfo", 18));
            run.desktop.startable = QStringList{"/usr/bin/hardinfo"};
        }
        auto* about = dz::ShowModeless<frmAbout>(run.ctx);
        QTest::mouseClick(child<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(run.desktop.started, found ? QStringList{"/usr/bin/hardinfo"} : QStringList());
        QCOMPARE(run.dialogs.shown.size(), found ? 0 : 1);
        QVERIFY(about->isVisible());
    }

    void scoringShowsTheTableAndCloses()
    {
        Run run;
        QPointer<frmScoring> scoring = dz::ShowModeless<frmScoring>(run.ctx);
        QCOMPARE(scoring->size(), QSize(337, 194));
        auto* image = child<QLabel>(scoring, "Image1");
        QCOMPARE(image->pixmap().deviceIndependentSize(), QSizeF(320, 142));
        QTest::mouseClick(child<QPushButton>(scoring, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(scoring.isNull());
        QCOMPARE(frmScoring::PointsText(0.5), "+0.5");
        QCOMPARE(frmScoring::PointsText(0), "0");
        QCOMPARE(frmScoring::PointsText(-1), "-1");
    }

    void scoringPictureIsDrawnSharp_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("200%") << 2.0;
    }
    void scoringPictureIsDrawnSharp()
    {
        QFETCH(qreal, ratio);
        const QImage image = imageOf(frmScoring::TablePicture(ratio));
        QCOMPARE(image.size(), QSize(320, 142) * ratio);
        const auto scaled = [&](int x, int y, int w, int h) {
            return QRect(QPoint(x, y) * ratio, QSize(w, h) * ratio);
        };
        const auto red = [](QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; };
        const auto ink = [](QColor c) { return c.lightness() < 100; };
        QVERIFY(countPixels(image, scaled(0, 0, 320, 30), red) > 100 * ratio * ratio);
        // Text in every cell of the grid, not only its lines: look between them.
        for (int row = 0; row < 4; ++row)
            for (int column = row == 0 ? 1 : 0; column < 5; ++column) {
                const int left = column == 0 ? 6 : 50 + 66 * (column - 1);
                const int width = column == 0 ? 44 : 66;
                const QRect inside = scaled(left + 4, 36 + 25 * row + 4, width - 8, 25 - 8);
                QVERIFY2(countPixels(image, inside, ink) > 4 * ratio * ratio,
                         qPrintable(QString("row %1 column %2").arg(row).arg(column)));
            }
    }
};

QTEST_MAIN(TestAuxWindows)
#include "test_aux_windows.moc"
