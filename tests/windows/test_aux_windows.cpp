#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <span>

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
    QTemporaryDir dir;
    dz::test::ScriptedDialogs dialogs;
    dz::test::RecordingSound sound;
    dz::test::RecordingDesktop desktop;
    dz::test::ScriptedRegistry registry;
    // settings, dialogs, sound, random, desktop, registry, files and program folders
    Context ctx{{}, &dialogs, &sound, nullptr, &desktop, &registry, dir.filePath("DirIziVur"), {}};
};

class TestAuxWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

    // Opened with the stored choice; the picture overhangs its viewport by 363 pixels.
    void contestWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("after");
        const QByteArray set("[Contest]\r\nShow=True\r\n"), cleared("[Contest]\r\nShow=False\r\n");
        QTest::newRow("OK ticked writes True") << "tick, OK" << set;
        QTest::newRow("True stored, OK cleared writes False") << "clear, OK" << cleared;
        QTest::newRow("close box writes nothing") << "tick, close" << QByteArray();
    }
    void contestWindow()
    {
        QFETCH(QString, action);
        const bool stored = action.startsWith("clear");
        QFETCH(QByteArray, after);
        Run run;
        if (stored)
            WriteDoNotShow(run.ctx.filesFolder, true);
        QPointer<frmContest> contest = ShowModeless<frmContest>(run.ctx);
        auto* bar = contest->findChild<QScrollBar*>("VScroll");
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
    void aboutAndScoring()
    {
        Run run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<frmAbout> about = ShowModeless<frmAbout>(run.ctx);
            QTest::keyClick(about, key);
            QTRY_VERIFY2(about.isNull(), "Enter and Esc close the about box");
        }
        QVERIFY(run.sound.played.isEmpty());
        run.ctx.settings.SoundOn = true;
        auto* about = ShowModeless<frmAbout>(run.ctx);
        auto* scoring = ShowModeless<frmScoring>(run.ctx);
        QCOMPARE(ShowModeless<frmAbout>(run.ctx), about);
        QCOMPARE(ShowModeless<frmScoring>(run.ctx), scoring);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});

        for (const char* name : {"Label3", "lblEmail"})
            QTest::mouseClick(about->findChild<QLabel*>(name), Qt::LeftButton);
        QCOMPARE(run.desktop.calls, QStringList({"open https://www.dirizivur.example/",
                                                 "open mailto:author@dirizivur.example"}));
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(run.dialogs.shown.size(), 1); // no tool in the empty registry

        // A red heading and, in grey at the edges of smoothed black text, the points.
        QImage image = scoring->findChild<QLabel*>("Image1")->pixmap().toImage();
        image.convertTo(QImage::Format_RGB32); // 32-bit rows: no padding
        int red = 0, grey = 0;
        for (QRgb c :
             std::span(reinterpret_cast<const QRgb*>(image.constBits()), image.sizeInBytes() / 4)) {
            red += qRed(c) > 150 && qGreen(c) < 80;
            grey += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) % 255 != 0;
        }
        QVERIFY(red > 100 && grey > 500);
        QCOMPARE(frmScoring::PointsText(0.5) + frmScoring::PointsText(0), "+0.50");
    }
};

QTEST_MAIN(TestAuxWindows)
#include "test_aux_windows.moc"
