#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "play/show_window.h"
#include "support/fakes.h"
#include "windows/contest_flag.h"
#include "windows/desktop_fakes.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using namespace dz;

// Fakes for every service and a files folder that does not exist yet.
struct Run {
    Run()
    {
        ctx.dialogs = &dialogs;
        ctx.sound = &sound;
        ctx.desktop = &desktop;
        ctx.registry = &registry;
        ctx.filesFolder = dir.filePath("DirIziVur");
    }
    QTemporaryDir dir;
    dz::test::ScriptedDialogs dialogs;
    dz::test::RecordingSound sound;
    dz::test::RecordingDesktop desktop;
    dz::test::ScriptedRegistry registry;
    Context ctx;
};

class TestAuxWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

    // Opened with the stored choice and the picture at its top; the scroll bar counts in
    // twips, and the picture overhangs its viewport by 363 pixels.
    void contestWindow_data()
    {
        QTest::addColumn<bool>("stored"); // True stored beforehand, else no file
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("after");
        const QByteArray set("[Contest]\r\nShow=True\r\n"), cleared("[Contest]\r\nShow=False\r\n");
        QTest::newRow("OK ticked writes True") << false << "tick, OK" << set;
        QTest::newRow("OK cleared writes False") << true << "clear, OK" << cleared;
        QTest::newRow("close box writes nothing") << false << "tick, close" << QByteArray();
    }
    void contestWindow()
    {
        QFETCH(bool, stored);
        QFETCH(QString, action);
        QFETCH(QByteArray, after);
        Run run;
        if (stored)
            WriteDoNotShow(run.ctx.filesFolder, true);
        QPointer<frmContest> contest = ShowModeless<frmContest>(run.ctx);
        auto* bar = contest->findChild<QScrollBar*>("VScroll");
        QCOMPARE(QList<int>({bar->maximum(), bar->pageStep(), bar->singleStep()}),
                 QList<int>({5445, 1089, 218}));
        bar->setValue(bar->maximum());
        QCOMPARE(contest->findChild<QLabel*>("Picture2")->y(), -363);

        auto* box = contest->findChild<QCheckBox*>("chkDoNotShow");
        QCOMPARE(box->isChecked(), stored);
        box->setChecked(action.startsWith("tick"));
        if (action.endsWith("OK"))
            QTest::mouseClick(contest->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        else
            contest->close();
        QTRY_VERIFY(contest.isNull());
        QFile file(run.ctx.filesFolder + "/DirIziVur.ini");
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), after);
    }

    // Showing an open window brings it forward: no second one, and no second welcome sound;
    // a fresh about box sounds only with sound on.
    void eachWindowOpensOnce()
    {
        Run run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<frmAbout> about = ShowModeless<frmAbout>(run.ctx);
            QTest::keyClick(about, key);
            QTRY_VERIFY2(about.isNull(), "Enter and Esc close the about box");
        }
        QVERIFY(run.sound.played.isEmpty());
        run.ctx.settings.SoundOn = true;
        QWidget* open[] = {ShowModeless<frmContest>(run.ctx), ShowModeless<frmAbout>(run.ctx),
                           ShowModeless<frmScoring>(run.ctx)};
        QCOMPARE(ShowModeless<frmContest>(run.ctx), open[0]);
        QCOMPARE(ShowModeless<frmAbout>(run.ctx), open[1]);
        QCOMPARE(ShowModeless<frmScoring>(run.ctx), open[2]);
        QCOMPARE(QApplication::topLevelWidgets().size(), 3);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
    }

    void aboutLinksAndSystemInformation()
    {
        Run run;
        auto* about = ShowModeless<frmAbout>(run.ctx);
        for (const char* name : {"Label3", "lblEmail"}) {
            auto* link = about->findChild<QLabel*>(name);
            QCOMPARE(link->cursor().hotSpot(), QPoint(12, 1));
            QTest::mouseClick(link, Qt::RightButton);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(run.desktop.calls, QStringList({"open https://www.dirizivur.example/",
                                                 "open mailto:author@dirizivur.example"}));
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(run.dialogs.shown.size(), 1); // no tool in the empty registry
        QVERIFY(about->isVisible());
    }

    // A red heading, a black grid and, in grey at the edges of smoothed black text, the points.
    void scoringShowsTheTable()
    {
        Run run;
        auto* scoring = ShowModeless<frmScoring>(run.ctx);
        const QImage image = scoring->findChild<QLabel*>("Image1")->pixmap().toImage();
        int red = 0, black = 0, grey = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 80;
                black += c.lightness() == 0;
                grey += c.red() == c.green() && c.green() == c.blue() && c.lightness() % 255 != 0;
            }
        QVERIFY2(red > 100 && black > 2000 && grey > 500,
                 qPrintable(QString("%1 red, %2 black, %3 grey").arg(red).arg(black).arg(grey)));
        QCOMPARE(frmScoring::PointsText(0.5) + frmScoring::PointsText(0), "+0.50");
    }
};

QTEST_MAIN(TestAuxWindows)
#include "test_aux_windows.moc"
