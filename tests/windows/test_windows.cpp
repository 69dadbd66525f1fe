// Every window against the design's layout tables (twips, 15 to a pixel at 96 dpi): place,
// size, text and fixed size; frames clear of their controls; pictures as sharp as the screen,
// at 100% and at 200% scaling. Then the secondary windows through their controls: the options
// dialog, the contest notice and its flag, the about box, the scoring table, the high-score list.
#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "kit/fonts.h"
#include "kit/frame.h"
#include "kit/pictures.h"
#include "kit/show_window.h"
#include "options/frmOptions.h"
#include "platform/qt_desktop.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "support/test_main.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using dz::test::GameRun;

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

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void windows()
    {
        for (const QString design : Design) {
            dz::test::GameRun run(true);
            run.start();
            const QString head = design.section('\n', 0, 0), kind = head.section(' ', 0, 0);
            dz::ShowStoredHighScores(run.ctx);
            QWidget* window = run.window;
            if (kind != "frmMain")
                window = kind == "frmOptions"   ? new dz::frmOptions(run.ctx, nullptr)
                         : kind == "frmAbout"   ? static_cast<QWidget*>(new dz::frmAbout(run.ctx))
                         : kind == "frmScoring" ? new dz::frmScoring(run.ctx)
                         : kind == "frmContest" ? static_cast<QWidget*>(dz::OpenWindow<dz::frmContest>())
                                                : dz::OpenWindow<dz::frmHighScore>();
            window->show();
            QCOMPARE(window->windowTitle(), head.section(' ', 3));
            QWidget* client = window == run.window ? run.window->centralWidget() : window;
            QCOMPARE(client->size(), QSize(head.section(' ', 1, 1).toInt(), head.section(' ', 2, 2).toInt()) / 15);
            QCOMPARE(window->minimumSize(), window->maximumSize());
            for (const QString& row : design.section('\n', 1).split(QRegularExpression("[|\n]"))) {
                const QStringList f = row.split(' ');
                auto* w = window->findChild<QWidget*>(f[0]);
                QVERIFY2(w, qPrintable(f[0]));
                QCOMPARE(w->pos(), QPoint(f[1].toInt(), f[2].toInt()) / 15);
                const QSize size = QSize(f[3].toInt(), f[4].toInt()) / 15;
                const bool grown = w->width() > size.width() && w->width() == w->sizeHint().width(); // a wider face
                QCOMPARE(w->size(), f[3] == "0" ? w->sizeHint() : grown ? QSize(w->width(), size.height()) : size);
                QCOMPARE(w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString(), row.section(' ', 5));
            }
            // No caption, line or control of a frame crosses another; its etched line runs round its edges.
            for (auto* frame : window->findChildren<dz::Frame*>()) {
                const QImage drawn = frame->grab().toImage();
                const int w = drawn.width() - 1, h = drawn.height() - 1;
                QVERIFY(drawn.pixel(w, h - 3) != drawn.pixel(w - 3, h - 3) &&
                        drawn.pixel(w - 3, h) != drawn.pixel(w - 3, h - 3));
                for (auto* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    QVERIFY(frame->outline().adjusted(2, 2, -2, -2).contains(control->geometry()));
                    QVERIFY(!frame->captionRect().intersects(control->geometry()));
                }
            }
            QImage icon(32, 32, QImage::Format_ARGB32); // the window icon paints itself too
            icon.fill(0);
            QPainter painter(&icon);
            dz::AppIcon().paint(&painter, icon.rect());
            QVERIFY(qAlpha(icon.pixel(16, 16)) == 255);
            // Pictures drawn for the screen's pixel ratio, not blurred up from a smaller one.
            for (auto* label : window->findChildren<QLabel*>())
                if (!label->pixmap().isNull() && label->isVisible())
                    QCOMPARE(label->pixmap().devicePixelRatio(), window->devicePixelRatioF());
        }
    }

    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings, all three.
    void options()
    {
        for (const QString row : {"cmdOK|1 Unbeatable 1", "optPlayer2 optEasy chkSound cmdOK|0 Easy 0",
                                  "optModerate cmdOK|1 Moderate 1", "optHard cmdOK|1 Hard 1",
                                  "optEasy optPlayer2 cmdCancel|0 x 1", "optEasy Esc|0 x 1", "optEasy close|0 x 1"}) {
            const QString clicks = row.section('|', 0, 0), after = row.section('|', 1);
            GameRun run;
            run.ctx.settings = {false, "x", true};
            dz::frmOptions dlg(run.ctx, nullptr);
            dlg.show();
            for (const QString& name : clicks.split(' ')) {
                name == "Esc"     ? QTest::keyClick(&dlg, Qt::Key_Escape)
                : name == "close" ? void(dlg.close())
                                  : QTest::mouseClick(dlg.findChild<QWidget*>(name), Qt::LeftButton, {}, {6, 8});
            }
            const dz::Settings& s = run.ctx.settings;
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(s.OnePlayer).arg(s.Level).arg(s.SoundOn), after);
            QVERIFY(!dlg.isVisible());
        }
    }

    // Opened with the stored choice; scrolled in twips; only OK stores the box.
    void contest()
    {
        for (const QString action : {"tick OK", "clear OK", "tick close"}) {
            const bool stored = action.startsWith("clear"), ok = action.endsWith("OK");
            GameRun run(!stored);
            QPointer<dz::frmContest> contest = dz::ShowModeless<dz::frmContest>(run.ctx);
            QCOMPARE(dz::ShowModeless<dz::frmContest>(run.ctx), contest.data());
            auto* bar = contest->findChild<QScrollBar*>("VScroll");
            QCOMPARE(QList<int>({bar->maximum(), bar->pageStep(), bar->singleStep()}), QList<int>({5445, 1089, 218}));
            bar->setValue(bar->maximum());
            QCOMPARE(contest->findChild<QLabel*>("Picture2")->y(), -363); // 5445 twips
            auto* box = contest->findChild<QCheckBox*>("chkDoNotShow");
            QCOMPARE(box->isChecked(), stored);
            box->setChecked(!stored);
            ok ? contest->findChild<QPushButton*>("cmdOK")->click() : void(contest->close());
            GameRun::settle();
            QVERIFY(contest.isNull());
            QCOMPARE(run.file("DirIziVur.ini"),
                     ok ? "[Contest]\r\nShow=" + QByteArray(stored ? "False" : "True") + "\r\n" : "<none>");
        }
    }

    // Enter and Esc close it; a fresh box sounds only with sound on, a box brought forward
    // not at all; the links and the system-information tool, told over the box.
    void about()
    {
        GameRun run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<dz::frmAbout> about = dz::ShowModeless<dz::frmAbout>(run.ctx);
            QTest::keyClick(about, key);
            GameRun::settle();
            QVERIFY(about.isNull());
        }
        run.ctx.settings.SoundOn = true;
        auto* about = dz::ShowModeless<dz::frmAbout>(run.ctx);
        QCOMPARE(dz::ShowModeless<dz::frmAbout>(run.ctx), about);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        for (const char* name : {"Label3", "lblEmail"})
            QTest::mouseClick(about->findChild<QLabel*>(name), Qt::LeftButton);
        about->findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(run.desktop.calls,
                 QStringList({"open https://www.dirizivur.example/", "open mailto:author@dirizivur.example"}));
        QCOMPARE(run.dialogs.shown,
                 (QList<dz::test::ShownMessage>{
                     {"msgbox", "System Information Is Unavailable At This Time", "DirIziVur", dz::vbOKOnly, about}}));
        QCOMPARE(about->findChild<QLabel*>("Label3")->cursor().hotSpot(), QPoint(12, 1));
    }

    // The table reads as the scoring rules count; every text fits its cell, and is drawn.
    void scoringTable()
    {
        using T = dz::frmScoring;
        QStringList cells;
        const QImage picture = T::TablePicture(1).toImage();
        const auto dark = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 128; };
        for (int row = 0; row < T::Rows; ++row) {
            for (int column = 0; column < T::Columns; ++column) {
                const QRect cell = T::CellRect(row, column), at = cell.adjusted(4, 4, -4, -4);
                cells << T::CellText(row, column);
                QVERIFY(QRect(QPoint(), T::PictureSize).contains(cell) &&
                        (column == 0 || cell.left() == T::CellRect(row, column - 1).right() + 1));
                QVERIFY(QFontMetrics(T::CellFont(row, column)).horizontalAdvance(cells.last()) < at.width());
                int left = at.right(), right = at.left(); // what is inked, as wide as the text in its face
                for (int x = at.left(); x <= at.right(); ++x)
                    for (int y = at.top(); y <= at.bottom(); ++y)
                        left = dark(x, y) ? qMin(left, x) : left, right = dark(x, y) ? qMax(right, x) : right;
                QCOMPARE(right - left > 2, !cells.last().isEmpty());
                QCOMPARE_LE(right - left, QFontMetrics(T::CellFont(row, column)).horizontalAdvance(cells.last()));
                QCOMPARE(T::CellFont(row, column).bold(), !row || !column); // headings in bold
                // Ruled on its left and top; the outer border doubled, white between.
                QVERIFY(dark(cell.left(), cell.center().y()) && dark(cell.center().x(), cell.top()));
                QVERIFY(column ||
                        (!dark(cell.left() + 1, cell.center().y()) && dark(cell.left() + 2, cell.center().y())));
                QVERIFY(column < T::Columns - 1 || !dark(cell.right() + 1, cell.center().y()));
            }
        }
        QCOMPARE(cells.join('|'), "|Easy|Moderate|Hard|Unbeatable|Win|+0.5|+2|+3|+100|Loss|-1|-2|-"
                                  "3|-3|Tie|-0.5|0|0|+0.5");
        int red = 0, shadow = 0; // the heading in bold red over a dark red shadow
        for (int x = 0; x < T::PictureSize.width(); ++x)
            for (int y = 0; y < T::CellRect(0, 0).top(); ++y)
                red += qRed(picture.pixel(x, y)) > 200 && qGreen(picture.pixel(x, y)) < 60,
                    shadow +=
                    qRed(picture.pixel(x, y)) < 90 && qRed(picture.pixel(x, y)) > 40 && qBlue(picture.pixel(x, y)) < 30;
        QVERIFY(red > 350 && shadow > 50); // a bold face inks half as much again as a regular one
    }

    // Names as typed, never as markup; a control or separator never breaks a row, nor an
    // override turns the text around it; place 1 in bright red; Return closes it.
    void highScoreList()
    {
        GameRun run;
        auto* list = dz::ShowModeless<dz::frmHighScore>(
            [](dz::frmHighScore& w) {
                w.fill({{{"<b>Bo</b>", 102.5},
                         {"Line\xe2\x80\xa8two\tor\nthree", -0.5},
                         {"\xe2\x80\xaeZo\xe2\x81\xa9", 3},
                         {QByteArray(300, 'x'), 0}}});
            },
            run.ctx);
        QStringList shown;
        for (const char* name : {"lblName_1", "lblScore_1", "lblName_2", "lblScore_2", "lblName_3", "lblName_5"}) {
            auto* label = list->findChild<QLabel*>(name);
            QVERIFY(label->size() == label->sizeHint() && label->textFormat() == Qt::PlainText);
            shown << QString(label->text()).remove(QChar(0x2068)).remove(QChar(0x2069));
        }
        QCOMPARE(shown, (QStringList{"<b>Bo</b>", "102.5", "Line\ufffdtwo\ufffdor\ufffdthree", "-0.5", "Zo", ""}));
        QCOMPARE(list->findChild<QLabel*>("lblName_4")->text().size(),
                 256 + 3); // cut, with an ellipsis
        const auto colour = [&](const char* name) {
            return list->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
        };
        QVERIFY(colour("lblScore_1") == QColor(Qt::red) && colour("lblName_2") != QColor(Qt::red));
        const QFont font = list->findChild<QLabel*>("lblName_5")->font();
        QVERIFY(font == dz::PresidentFont(9.75, true) && font.bold() && font.pointSizeF() == 9.75);
        QTest::keyClick(list->findChild<QPushButton*>("cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    // Without a registry, the first system-information tool on the search path stands in
    // for the one value the about box reads.
    void systemRegistry()
    {
        QTemporaryDir dir;
        for (const char* tool : {"lxtask", "hardinfo", "xdg-open"}) { // the opener leaves the link it was given
            QFile f(dir.filePath(tool));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("#!/bin/sh\necho \"$1\" >\"$0.link\"\n") &&
                    f.setPermissions(QFile::ExeOwner | QFile::ReadOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8());
        dz::QtDesktop desktop;
        const QString key = "software\\microsoft\\shared tools\\msinfo";
        QCOMPARE(desktop.registryValue(dz::HKEY_LOCAL_MACHINE, key, "path")->data,
                 dir.filePath("hardinfo").toUtf8() + '\0');
        QVERIFY(!desktop.registryValue(dz::HKEY_LOCAL_MACHINE, key, "Other") && !desktop.registryValue(1, key, "PATH"));
        desktop.openUrl(QUrl("https://a.example/"));
        QTRY_COMPARE(QFile(dir.filePath("xdg-open.link")).size(), 19);
        QVERIFY(!desktop.startDetached("") && desktop.startDetached("/bin/true") &&
                desktop.isOrdinaryFile(dir.filePath("lxtask")) && !desktop.isOrdinaryFile(dir.path()));
        qputenv("PATH", path);
    }
};

DZ_TEST(TestWindows)
#include "test_windows.moc"
