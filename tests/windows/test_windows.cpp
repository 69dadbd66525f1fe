// The windows against the design: each window's size and caption, the labels that size
// themselves to their text, faces and colours, frames clear of their controls, pictures as
// sharp as the screen; run at 100% and at 200%. Then the secondary windows through their
// controls, and the real message box and desktop services.
#include <QCheckBox>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include "kit/frame.h"
#include "kit/show_window.h"
#include "options/frmOptions.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "support/rows.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using dz::test::GameRun;
using dz::test::Row;

// A window's client area in twips (15 to a pixel at 96 dpi) and its caption; the labels that
// size themselves to their text; faces from the design: family, points, weight and colour
// (black: the default text's).
struct Face {
    const char* control;
    const char* family;
    double points;
    bool bold;
    QColor colour;
};
struct WindowRow {
    const char* name;
    QSize twips;
    const char* caption;
    QStringList sizedToText;
    QList<Face> faces;
};

static const QColor DarkRed(128, 0, 0);

template <class W = QWidget> static W* Find(QWidget* window, const char* name)
{
    auto* found = window->findChild<W*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

struct MessageRow {
    const char* name;
    int style;
    const char* title;
    const char* shownTitle;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QList<Qt::Key> keys; // Qt::Key_Close: the title bar's close button
    int answer;
};

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void layout_data()
    {
        const WindowRow rows[] = {
            {"frmMain",
             {5310, 4770},
             "Tarn's DirIziVur",
             {"Label1", "lblMove", "Label2", "lblGame", "Label6", "lblLevel", "Label3", "Label4",
              "lblOWins", "Label5", "lblTie"},
             {{"Label7", "President", 9.75, false, DarkRed},
              {"Label9", "President", 9.75, false, DarkRed},
              {"lblMove", "MS Sans Serif", 8, false, Qt::black}}},
            {"frmOptions",
             {4620, 2595},
             "Options",
             {},
             {{"optEasy", "MS Sans Serif", 8, false, Qt::black}}},
            {"frmHighScore",
             {4365, 3375},
             "Tarn's DirIziVur",
             {"lblName_1", "lblScore_1", "lblName_5", "lblScore_5"},
             {{"Label1", "President", 20.25, true, DarkRed},
              {"lblName_1", "President", 9.75, true, Qt::red},
              {"lblScore_1", "President", 9.75, true, Qt::red},
              {"lblName_2", "President", 9.75, true, Qt::black},
              {"lblScore_5", "President", 9.75, true, Qt::black}}},
            {"frmAbout",
             {5730, 3630},
             "About MyApp",
             {},
             {{"lblTitle", "President", 20.25, true, DarkRed},
              {"lblVersion", "Arial", 9, true, Qt::black},
              {"lblEmail", "MS Sans Serif", 8, false, Qt::blue},
              {"Label3", "MS Sans Serif", 8, false, Qt::blue}}},
            {"frmContest", {5160, 3630}, "Enter The Draw", {}, {}},
            {"frmScoring", {5055, 2910}, "Scoring Table", {}, {}},
        };
        dz::test::AddRows(rows);
    }
    void layout()
    {
        const WindowRow& row = Row<WindowRow>();
        GameRun run;
        run.start();
        dz::ShowStoredHighScores(run.ctx);
        const QString name = row.name;
        QWidget* window = run.window;
        if (name == "frmOptions")
            window = new dz::frmOptions(run.ctx, run.window);
        else if (name == "frmHighScore")
            window = dz::OpenWindow<dz::frmHighScore>();
        else if (name == "frmAbout")
            window = dz::ShowModeless<dz::frmAbout>(run.ctx);
        else if (name == "frmContest")
            window = dz::ShowModeless<dz::frmContest>(run.ctx);
        else if (name == "frmScoring")
            window = dz::ShowModeless<dz::frmScoring>(run.ctx);
        window->show();
        QCOMPARE(window->windowTitle(), row.caption);
        QWidget* client = window == run.window ? run.window->centralWidget() : window;
        QCOMPARE(client->size(), row.twips / 15);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        for (const QString& label : row.sizedToText)
            QCOMPARE(Find(window, qPrintable(label))->size(),
                     Find(window, qPrintable(label))->sizeHint());
        for (const Face& face : row.faces) {
            auto* label = Find(window, face.control);
            QCOMPARE(label->font().families().value(0), face.family);
            QCOMPARE(label->font().pointSizeF(), face.points);
            QCOMPARE(label->font().bold(), face.bold);
            QCOMPARE(label->palette().color(QPalette::WindowText), face.colour);
        }
        // No label is narrower than its text; a frame's controls sit inside its etched line and
        // below its caption band; the line runs round its edges.
        for (auto* label : window->findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName()));
        }
        for (auto* frame : window->findChildren<dz::Frame*>()) {
            const QImage drawn = frame->grab().toImage();
            const int right = drawn.width() - 1;
            const int bottom = drawn.height() - 1;
            QVERIFY(drawn.pixel(right, bottom - 3) != drawn.pixel(right - 3, bottom - 3));
            QVERIFY(drawn.pixel(right - 3, bottom) != drawn.pixel(right - 3, bottom - 3));
            for (auto* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                QVERIFY(frame->rect().adjusted(2, 2, -2, -2).contains(control->geometry()));
                QVERIFY(frame->title().isEmpty() || control->y() >= frame->fontMetrics().height());
            }
        }
        // Pictures drawn for the screen's pixel ratio, not blurred up from a smaller one.
        for (auto* label : window->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                QCOMPARE(label->pixmap().devicePixelRatio(), window->devicePixelRatioF());
        }
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
    }

    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings, all three.
    void options()
    {
        const std::pair<QStringList, dz::Settings> rows[] = {
            {{"cmdOK"}, {true, "Unbeatable", true}},
            {{"optPlayer2", "optEasy", "chkSound", "cmdOK"}, {false, "Easy", false}},
            {{"optModerate", "cmdOK"}, {true, "Moderate", true}},
            {{"optHard", "cmdOK"}, {true, "Hard", true}},
            {{"optEasy", "cmdCancel"}, {false, "x", true}},
            {{"optEasy", "Esc"}, {false, "x", true}},
        };
        for (const auto& [clicks, after] : rows) {
            GameRun run;
            run.ctx.settings = {false, "x", true};
            dz::frmOptions dialog(run.ctx, nullptr);
            dialog.show();
            for (const QString& name : clicks) {
                if (name == "Esc")
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                else
                    QTest::mouseClick(Find(&dialog, qPrintable(name)), Qt::LeftButton, {}, {6, 8});
            }
            QCOMPARE(run.ctx.settings.OnePlayer, after.OnePlayer);
            QCOMPARE(run.ctx.settings.Level, after.Level);
            QCOMPARE(run.ctx.settings.SoundOn, after.SoundOn);
            QVERIFY(!dialog.isVisible());
        }
    }

    // Opened with the stored choice, once; scrolled in twips; only OK stores the box.
    void contest()
    {
        for (const auto& [stored, ok, file] :
             {std::tuple{false, true, "[Contest]\r\nShow=True\r\n"},
              {true, true, "[Contest]\r\nShow=False\r\n"},
              {false, false, "<none>"}}) {
            GameRun run(!stored);
            QPointer<dz::frmContest> contest = dz::ShowModeless<dz::frmContest>(run.ctx);
            QCOMPARE(dz::ShowModeless<dz::frmContest>(run.ctx), contest.data());
            auto* bar = Find<QScrollBar>(contest, "VScroll");
            QCOMPARE(bar->maximum(), 5445);
            QCOMPARE(bar->pageStep(), 1089);
            QCOMPARE(bar->singleStep(), 218);
            QCOMPARE(bar->height(), Find(contest, "Picture1")->height());
            bar->setValue(5445);
            QCOMPARE(Find(contest, "Picture2")->y(), -363); // 5445 twips
            auto* box = Find<QCheckBox>(contest, "chkDoNotShow");
            QCOMPARE(box->isChecked(), stored);
            box->setChecked(!stored);
            if (ok)
                Find<QPushButton>(contest, "cmdOK")->click();
            else
                contest->close();
            GameRun::settle();
            QVERIFY(contest.isNull());
            QCOMPARE(run.read("DirIziVur.ini"), file);
        }
    }

    // Enter and Esc close it; a fresh box sounds only with sound on, a box brought forward not
    // at all; the links, and the system-information tool told unavailable over the box.
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
        QTest::mouseClick(Find(about, "Label3"), Qt::LeftButton);
        QTest::mouseClick(Find(about, "lblEmail"), Qt::RightButton);
        QTest::mouseClick(Find(about, "lblEmail"), Qt::LeftButton);
        QCOMPARE(run.desktop.calls, (QStringList{"open https://www.dirizivur.example/",
                                                 "open mailto:author@dirizivur.example"}));
        Find<QPushButton>(about, "cmdSysInfo")->click();
        QCOMPARE(run.dialogs.shown,
                 (QList<dz::test::ShownMessage>{
                     {"msgbox", "System Information Is Unavailable At This Time", "", 0, about}}));
        QCOMPARE(Find(about, "Label3")->cursor().hotSpot(), QPoint(12, 1));
    }

    // The table reads as the scoring rules count, in a grid of five columns and four rows with a
    // double outer border, black on white under a red heading.
    void scoringTable()
    {
        QStringList cells;
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 5; ++column)
                cells << dz::frmScoring::CellText(row, column);
        }
        QCOMPARE(cells, (QStringList{"",   "Easy", "Moderate", "Hard", "Unbeatable", "Win", "+0.5",
                                     "+2", "+3",   "+100",     "Loss", "-1",         "-2",  "-3",
                                     "-3", "Tie",  "-0.5",     "0",    "0",          "+0.5"}));
        GameRun run;
        auto* image = Find<QLabel>(dz::ShowModeless<dz::frmScoring>(run.ctx), "Image1");
        const QImage picture = image->pixmap().toImage().scaled(320, 142);
        const auto dark = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 100; };
        QList<int> across; // the lines met along the header row, below its text
        for (int x = 1; x < 320; ++x) {
            if (dark(x, 60) && !dark(x - 1, 60))
                across << x;
        }
        QCOMPARE(across.size(), 2 + 4 + 2); // a double border round four inner lines
        QList<int> down;                    // and down the first level's column, left of its text
        for (int y = 1; y < 142; ++y) {
            if (dark(across[2] + 2, y) && !dark(across[2] + 2, y - 1))
                down << y;
        }
        QCOMPARE(down.size(), 2 + 3 + 2);
        QCOMPARE(across[1] - across[0], 2); // white between the border's lines
        QVERIFY(across.first() > 3 && across.last() < 316 && down.last() < 142);
        int red = 0;
        for (int x = 0; x < 320; ++x) {
            for (int y = 0; y < down.first(); ++y)
                red += qRed(picture.pixel(x, y)) > 200 && qGreen(picture.pixel(x, y)) < 60;
        }
        QVERIFY(red > 200); // "Scoring Table" in bold red
    }

    // Names as typed, never as markup; a control or separator never breaks a row; Return
    // closes the list.
    void highScoreList()
    {
        GameRun run;
        auto* list = dz::ShowModeless<dz::frmHighScore>(run.ctx, [](dz::frmHighScore& w) {
            w.fill({{{"<b>Bo</b>", 102.5},
                     {"Line\xe2\x80\xa8two\tor\nthree", -0.5},
                     {QByteArray(300, 'x'), 0}}});
        });
        QCOMPARE(Find<QLabel>(list, "lblName_1")->text(), "<b>Bo</b>");
        QCOMPARE(Find<QLabel>(list, "lblName_1")->textFormat(), Qt::PlainText);
        QCOMPARE(Find<QLabel>(list, "lblScore_1")->text(), "102.5");
        QCOMPARE(Find<QLabel>(list, "lblName_2")->text(), "Line\ufffdtwo\ufffdor\ufffdthree");
        QCOMPARE(Find<QLabel>(list, "lblScore_2")->text(), "-0.5");
        QCOMPARE(Find<QLabel>(list, "lblName_3")->text(), QString(256, u'x') + u'\u2026');
        QTest::keyClick(Find(list, "cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    // The real boxes: the title, the buttons and the icon of each style; Esc and the close
    // button answer an OK box but never the question; the box as wide as its title.
    void messageBox_data()
    {
        const MessageRow rows[] = {
            {"no title: the application's",
             0,
             "",
             "DirIziVur",
             QMessageBox::NoIcon,
             QMessageBox::Ok,
             {Qt::Key_Escape},
             dz::vbOK},
            {"information",
             64,
             "We have a Winner",
             "We have a Winner",
             QMessageBox::Information,
             QMessageBox::Ok,
             {Qt::Key_Close},
             dz::vbOK},
            {"a warning",
             48,
             "t",
             "t",
             QMessageBox::Warning,
             QMessageBox::Ok,
             {Qt::Key_Return},
             dz::vbOK},
            {"a question has no way out but Yes or No",
             4,
             "Play Again?",
             "Play Again?",
             QMessageBox::NoIcon,
             QMessageBox::Yes | QMessageBox::No,
             {Qt::Key_Escape, Qt::Key_Close, Qt::Key_N},
             dz::vbNo},
            {"Yes is the default",
             4,
             "Play Again?",
             "Play Again?",
             QMessageBox::NoIcon,
             QMessageBox::Yes | QMessageBox::No,
             {Qt::Key_Return},
             dz::vbYes},
        };
        dz::test::AddRows(rows);
    }
    void messageBox()
    {
        const MessageRow& row = Row<MessageRow>();
        QMessageBox* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            QCOMPARE(shown->windowTitle(), row.shownTitle);
            QCOMPARE(shown->icon(), row.icon);
            QCOMPARE(shown->standardButtons(), row.buttons);
            QFont titleFont = shown->font();
            titleFont.setBold(true);
            QVERIFY(shown->width() >
                    QFontMetrics(titleFont).horizontalAdvance(row.shownTitle) + 60);
            for (Qt::Key key : row.keys) {
                if (key == Qt::Key_Close)
                    shown->close();
                else
                    QTest::keyClick(shown, key);
            }
        });
        dz::QtDialogs dialogs;
        QCOMPARE(dialogs.MsgBox(nullptr, "Do you care to play again?", row.style, row.title),
                 row.answer);
        QVERIFY(shown);
    }

    // Without a registry, the first system-information tool on the search path stands in for
    // the one value the about box reads; links go to the desktop's opener.
    void desktop()
    {
        QTemporaryDir dir;
        for (const char* tool : {"lxtask", "hardinfo", "xdg-open"}) { // the opener keeps its link
            QFile f(dir.filePath(tool));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\necho \"$1\" >\"$0.link\"\n");
            f.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8());
        dz::QtDesktop desktop;
        const QString key = "software\\microsoft\\shared tools\\msinfo";
        QCOMPARE(desktop.registryValue(dz::HKEY_LOCAL_MACHINE, key, "path")->data,
                 dir.filePath("hardinfo").toUtf8() + '\0');
        QVERIFY(!desktop.registryValue(dz::HKEY_LOCAL_MACHINE, key, "Other"));
        QVERIFY(!desktop.registryValue(1, key, "PATH"));
        desktop.openUrl(QUrl("https://a.example/"));
        QTRY_COMPARE(QFile(dir.filePath("xdg-open.link")).size(), 19);
        QVERIFY(!desktop.startDetached(""));
        QVERIFY(desktop.startDetached(dir.filePath("lxtask")));
        QVERIFY(desktop.isOrdinaryFile(dir.filePath("lxtask")));
        QVERIFY(!desktop.isOrdinaryFile(dir.path()));
        qputenv("PATH", path);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
