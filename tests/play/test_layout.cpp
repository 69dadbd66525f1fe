// Every window against the design's layout tables (twips, 15 to a pixel at 96 dpi):
// place, size, text and fixed size; frames clear of their controls; pictures as sharp as
// the screen. Run at 100% and at 200% scaling.
#include <QAbstractButton>

#include "kit/frame.h"
#include "kit/show_window.h"
#include "options/frmOptions.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "support/test_main.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

// A window's client size and caption, then its controls as "name left top width height
// text"; a width of 0 for a label sized to its text.
static const char* const Design[] = {R"(frmMain 5310 4770 Tarn's DirIziVur
Frame3 0 0 5295 75|imgBoard_1 240 360 855 855|imgBoard_2 1320 360 855 855|imgBoard_3 2400 360 855 855
imgBoard_4 240 1440 855 855|imgBoard_5 1320 1440 855 855|imgBoard_6 2400 1440 855 855
imgBoard_7 240 2520 855 855|imgBoard_8 1320 2520 855 855|imgBoard_9 2400 2520 855 855
Line1 120 1320 3360 15|Line2 120 2400 3240 15|Line3 1200 120 15 3360|Line4 2280 120 15 3360
imgPiece_1 960 2040 855 855|imgPiece_2 1920 2160 855 735|imgPiece_3 4320 3480 855 855
Frame2 120 3600 3615 1095 Game Status|Label1 120 240 0 0 Move #:|lblMove 840 240 0 0 1
Label2 120 480 0 0 Game #:|lblGame 840 480 0 0 1|Label6 120 720 0 0 Level:|lblLevel 840 720 0 0
Label3 1920 240 0 0 X Wins:|lblXWins 2640 240 735 255 0|Label4 1920 480 0 0 O Wins:
lblOWins 2640 480 0 0 0|Label5 2160 720 0 0 Ties:|lblTie 2640 720 0 0 0
Frame1 3840 3480 1335 1215 Who's Turn:|imgWhoTurn 240 240 855 855|cmdNew 3960 240 1095 375 &New Game
cmdOptions 3960 720 1095 375 &Options|cmdAbout 3960 1200 1095 375 &About...|cmdQuit 3960 1680 1095 375 &Quit
Label7 3840 2160 1335 375 High Score|lblHighScore 3840 2400 1215 255 0
Label9 3720 2760 1455 255 Current Score|lblCurrentScore 3720 3000 1455 255 0)",
                                     R"(frmOptions 4620 2595 Options
Frame1 240 240 2535 855 # of Players|optPlayer1 240 360 1095 255 &1 Player|optPlayer2 1320 360 975 255 &2 Player
Frame2 2880 240 1455 1575 Difficulty Level|optEasy 120 360 855 255 &Easy|optModerate 120 600 1095 255 &Moderate
optHard 120 840 855 255 &Hard|optUnbeatable 120 1080 1215 255 &Unbeatable|Frame3 240 1200 2535 615 Sounds
chkSound 240 240 2055 255 Play &Sound Effects|cmdOK 2040 2040 975 375 &OK|cmdCancel 3240 2040 1095 375 &Cancel)",
                                     R"(frmHighScore 4365 3375 Tarn's DirIziVur
Label1 120 120 4095 495 Highscores|lblName_1 360 720 0 0|lblScore_1 3840 720 0 0 0|lblName_3 360 1440 0 0
lblScore_5 3840 2160 0 0 0|cmdOK 1560 2880 975 375 &OK)",
                                     R"(frmAbout 5730 3630 About MyApp
picIcon 240 240 480 480|lblTitle 1050 240 3885 480 Tarn's DirIziVur|lblVersion 1050 780 3885 225 Version 1.0
Label1 1080 2280 420 195 Email:|lblEmail 2040 2280 1605 195 author@dirizivur.example
Label2 1080 2520 840 195 HomePage:|Label3 2040 2520 3345 195 www.dirizivur.example
cmdOK 2760 3120 1260 345 OK|cmdSysInfo 4200 3120 1245 345 &System Info...)",
                                     R"(frmContest 5160 3630 Enter The Draw
Picture1 120 120 4650 2775|VScroll 4775 120 255 2775|Picture2 0 0 4605 8220|cmdOK 3840 3120 1095 375 &OK
chkDoNotShow 120 3120 2295 375 Don't Show Again!)",
                                     R"(frmScoring 5055 2910 Scoring Table
Image1 120 120 4800 2130|cmdOK 3840 2400 1095 375 &OK)"};

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void windows_data()
    {
        QTest::addColumn<QString>("design");
        for (const char* design : Design)
            QTest::newRow(QByteArray(design).left(QByteArray(design).indexOf(' ')))
                << QString(design);
    }
    void windows()
    {
        QFETCH(QString, design);
        dz::test::GameRun run(true);
        run.start();
        const QString head = design.section('\n', 0, 0), kind = head.section(' ', 0, 0);
        dz::ShowStoredHighScores(run.ctx);
        QWidget* window = run.window;
        if (kind != "frmMain")
            window = kind == "frmOptions"   ? new dz::frmOptions(run.ctx, nullptr)
                     : kind == "frmAbout"   ? static_cast<QWidget*>(new dz::frmAbout(run.ctx))
                     : kind == "frmScoring" ? new dz::frmScoring(run.ctx)
                     : kind == "frmContest"
                         ? static_cast<QWidget*>(dz::OpenWindow<dz::frmContest>())
                         : dz::OpenWindow<dz::frmHighScore>();
        window->show();
        QCOMPARE(window->windowTitle(), head.section(' ', 3));
        QWidget* client = window == run.window ? run.window->centralWidget() : window;
        QCOMPARE(client->size(),
                 QSize(head.section(' ', 1, 1).toInt(), head.section(' ', 2, 2).toInt()) / 15);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        for (const QString& row : design.section('\n', 1).split(QRegularExpression("[|\n]"))) {
            const QStringList f = row.split(' ');
            auto* w = window->findChild<QWidget*>(f[0]);
            QVERIFY2(w, qPrintable(f[0]));
            QCOMPARE(w->pos(), QPoint(f[1].toInt(), f[2].toInt()) / 15);
            const QSize size = QSize(f[3].toInt(), f[4].toInt()) / 15;
            const bool grown =
                w->width() > size.width() && w->width() == w->sizeHint().width(); // a wider face
            QCOMPARE(w->size(), f[3] == "0" ? w->sizeHint()
                                : grown     ? QSize(w->width(), size.height())
                                            : size);
            auto* button = qobject_cast<QAbstractButton*>(w);
            auto* frame = qobject_cast<QGroupBox*>(w);
            auto* label = qobject_cast<QLabel*>(w);
            QCOMPARE(button  ? button->text()
                     : frame ? frame->title()
                     : label ? label->text()
                             : "",
                     row.section(' ', 5));
        }
        // No caption, line or control of a frame crosses another.
        for (auto* frame : window->findChildren<dz::Frame*>()) {
            for (auto* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                QVERIFY(frame->outline().adjusted(2, 2, -2, -2).contains(control->geometry()));
                QVERIFY(!frame->captionRect().intersects(control->geometry()));
            }
        }
        // Pictures drawn for the screen's pixel ratio, not blurred up from a smaller one.
        for (auto* label : window->findChildren<QLabel*>())
            if (!label->pixmap().isNull() && label->isVisible())
                QCOMPARE(label->pixmap().devicePixelRatio(), window->devicePixelRatioF());
    }
};

DZ_TEST(TestLayout)
#include "test_layout.moc"
