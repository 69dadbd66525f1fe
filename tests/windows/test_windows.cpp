// The windows against the design: each window's size and caption, the labels that size
// themselves to their text, faces and colours, frames clear of their controls, pictures as
// sharp as the screen; run at 100% and at 200%. Then the secondary windows through their
// controls, and the real message box and desktop services.
#include <QCheckBox>
#include <QMessageBox>
#include <QRegularExpression>
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

// A window's client area in twips (15 to a pixel at 96 dpi) and its caption.
using WindowRow = std::tuple<const char*, int, int, const char*>;
// A label's face from the design: family, points and weight, and its colour (black: the
// default text's).
using FaceRow = std::tuple<const char*, const char*, const char*, double, bool, QColor>;
// A style, the title given and shown, the icon and buttons; the keys pressed (Qt::Key_Close:
// the title bar's close button) and the answer.
using MessageRow = std::tuple<const char*, int, const char*, const char*, QMessageBox::Icon,
                              QMessageBox::StandardButtons, QList<Qt::Key>, int>;

static QWidget* Open(dz::test::GameRun& run, const QString& window)
{
    run.start();
    dz::ShowStoredHighScores(run.ctx);
    if (window == "frmOptions")
        return new dz::frmOptions(run.ctx, run.window);
    if (window == "frmHighScore")
        return dz::OpenWindow<dz::frmHighScore>();
    if (window == "frmAbout")
        return dz::ShowModeless<dz::frmAbout>(run.ctx);
    if (window == "frmContest")
        return dz::ShowModeless<dz::frmContest>(run.ctx);
    if (window == "frmScoring")
        return dz::ShowModeless<dz::frmScoring>(run.ctx);
    return run.window;
}

template <class W = QWidget> static W* Find(QWidget* window, const char* name)
{
    auto* found = window->findChild<W*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

template <class... K> static QList<Qt::Key> Keys(K... keys)
{
    return {keys...};
}

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    // Each window's size and caption; its labels no narrower than their text, those sized to
    // it no wider; a frame's controls inside its etched line and below its caption band, the
    // line round its edges; its pictures drawn for the screen's pixel ratio.
    void layout_data()
    {
        const WindowRow rows[] = {
            {"frmMain", 5310, 4770, "Tarn's DirIziVur"},
            {"frmOptions", 4620, 2595, "Options"},
            {"frmHighScore", 4365, 3375, "Tarn's DirIziVur"},
            {"frmAbout", 5730, 3630, "About MyApp"},
            {"frmContest", 5160, 3630, "Enter The Draw"},
            {"frmScoring", 5055, 2910, "Scoring Table"},
        };
        dz::test::AddRows(rows);
    }
    void layout()
    {
        const auto& [name, width, height, caption] = Row<WindowRow>();
        GameRun run;
        QWidget* window = Open(run, name);
        window->show();
        QCOMPARE(window->windowTitle(), caption);
        QWidget* client = window == run.window ? run.window->centralWidget() : window;
        QCOMPARE(client->size(), QSize(width, height) / 15);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        for (auto* label : window->findChildren<QLabel*>()) {
            const bool sizedToText = label->parentWidget()->objectName() == "Frame2" ||
                                     label->objectName().startsWith("lblName") ||
                                     label->objectName().startsWith("lblScore");
            if (!label->text().isEmpty())
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName()));
            if (sizedToText && label->objectName() != "lblXWins")
                QCOMPARE(label->size(), label->sizeHint());
            if (!label->pixmap().isNull())
                QCOMPARE(label->pixmap().devicePixelRatio(), window->devicePixelRatioF());
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
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
    }

    void faces_data()
    {
        const QColor darkRed(128, 0, 0);
        const FaceRow rows[] = {
            {"frmMain", "Label7", "President", 9.75, false, darkRed},
            {"frmMain", "Label9", "President", 9.75, false, darkRed},
            {"frmMain", "lblMove", "MS Sans Serif", 8, false, Qt::black},
            {"frmHighScore", "Label1", "President", 20.25, true, darkRed},
            {"frmHighScore", "lblName_1", "President", 9.75, true, Qt::red},
            {"frmHighScore", "lblScore_1", "President", 9.75, true, Qt::red},
            {"frmHighScore", "lblName_2", "President", 9.75, true, Qt::black},
            {"frmHighScore", "lblScore_5", "President", 9.75, true, Qt::black},
            {"frmAbout", "lblTitle", "President", 20.25, true, darkRed},
            {"frmAbout", "lblVersion", "Arial", 9, true, Qt::black},
            {"frmAbout", "lblEmail", "MS Sans Serif", 8, false, Qt::blue},
            {"frmAbout", "Label3", "MS Sans Serif", 8, false, Qt::blue},
        };
        QTest::addColumn<FaceRow>("row");
        for (const FaceRow& row : rows)
            QTest::addRow("%s %s", std::get<0>(row), std::get<1>(row)) << row;
    }
    void faces()
    {
        const auto& [window, name, family, points, bold, colour] = Row<FaceRow>();
        GameRun run;
        const QWidget* label = Find(Open(run, window), name);
        QCOMPARE(label->font().families().value(0), family);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
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
            QCOMPARE(Find<QLabel>(contest, "Picture2")->pixmap().deviceIndependentSize(),
                     QSizeF(305, 546));
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

    // The picture reads as the scoring rules count: the levels across, the results down.
    void scoringTable()
    {
        QFile svg(":/pictures/scoring.svg");
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QStringList texts;
        for (const auto& text : QRegularExpression(">([^<]*)</text>").globalMatch(svg.readAll()))
            texts << text.captured(1);
        QCOMPARE(texts, (QStringList{"Scoring Table",
                                     "Scoring Table",
                                     "Easy",
                                     "Moderate",
                                     "Hard",
                                     "Unbeatable",
                                     "Win",
                                     "+0.5",
                                     "+2",
                                     "+3",
                                     "+100",
                                     "Loss",
                                     "-1",
                                     "-2",
                                     "-3",
                                     "-3",
                                     "Tie",
                                     "-0.5",
                                     "0",
                                     "0",
                                     "+0.5"}));
        GameRun run;
        const QPixmap shown =
            Find<QLabel>(dz::ShowModeless<dz::frmScoring>(run.ctx), "Image1")->pixmap();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(320, 142));
    }

    // Names as typed, never as markup; a control or separator never breaks a row; Return
    // closes the list.
    void highScoreList()
    {
        GameRun run;
        // A blank, "!" and a no-break space stay; controls and separators give way; bidi
        // controls go; a long name is cut between characters.
        const QByteArray breaks = "A b!\x7F\xC2\x9F\xC2\xA0\xE2\x80\xA8\xE2\x80\xA9\t";
        const QByteArray bidi = "\xE2\x80\xAAZ\xE2\x80\xAE\xE2\x81\xA6o\xE2\x81\xA9\xE2\x81\xAA";
        const QByteArray long_ = QByteArray(255, 'x') + "\xF0\x9F\x98\x80y";
        auto* list = dz::ShowModeless<dz::frmHighScore>(run.ctx, [&](dz::frmHighScore& w) {
            w.fill({{{"<b>Bo</b>", 102.5}, {breaks, -0.5}, {bidi, 0}, {long_, 0}, {"\xE9t", 0}}});
        });
        const auto shown = [&](const char* label) { return Find<QLabel>(list, label)->text(); };
        QCOMPARE(shown("lblName_1"), "<b>Bo</b>");
        QCOMPARE(Find<QLabel>(list, "lblName_1")->textFormat(), Qt::PlainText);
        QCOMPARE(shown("lblScore_1"), "102.5");
        QCOMPARE(shown("lblName_2"),
                 QString::fromUtf16(u"A b!\ufffd\ufffd\u00a0\ufffd\ufffd\ufffd"));
        QCOMPARE(shown("lblScore_2"), "-0.5");
        QCOMPARE(shown("lblName_3"), QString::fromUtf16(u"Zo\u206a"));
        QCOMPARE(shown("lblName_4"), QString(255, u'x') + u'\u2026');
        QCOMPARE(shown("lblName_5"), QString::fromUtf16(u"\u00e9t")); // not UTF-8: Windows-1252
        QTest::keyClick(Find(list, "cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    // The real boxes: the title, the buttons and the icon of each style; Esc and the close
    // button answer an OK box but never the question; the box as wide as its title.
    void messageBox_data()
    {
        using Box = QMessageBox;
        const MessageRow rows[] = {
            {"no title: the application's", 0, "", "DirIziVur", Box::NoIcon, Box::Ok,
             Keys(Qt::Key_Escape), dz::vbOK},
            {"information", 64, "We have a Winner", "We have a Winner", Box::Information, Box::Ok,
             Keys(Qt::Key_Close), dz::vbOK},
            {"a warning", 48, "t", "t", Box::Warning, Box::Ok, Keys(Qt::Key_Return), dz::vbOK},
            {"a question has no way out but Yes or No", 4, "Play Again?", "Play Again?",
             Box::NoIcon, Box::Yes | Box::No, Keys(Qt::Key_Escape, Qt::Key_Close, Qt::Key_N),
             dz::vbNo},
            {"Yes is the question's default", 4, "Play Again?", "Play Again?", Box::NoIcon,
             Box::Yes | Box::No, Keys(Qt::Key_Return), dz::vbYes},
        };
        dz::test::AddRows(rows);
    }
    void messageBox()
    {
        const auto& [name, style, title, shownTitle, icon, buttons, keys, answer] =
            Row<MessageRow>();
        QMessageBox* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            QCOMPARE(shown->windowTitle(), shownTitle);
            QCOMPARE(shown->icon(), icon);
            QCOMPARE(shown->standardButtons(), buttons);
            QFont titleFont = shown->font();
            titleFont.setBold(true);
            QVERIFY(shown->width() > QFontMetrics(titleFont).horizontalAdvance(shownTitle) + 60);
            for (Qt::Key key : keys) {
                if (key == Qt::Key_Close)
                    shown->close();
                else
                    QTest::keyClick(shown, key);
            }
        });
        dz::QtDialogs dialogs;
        QCOMPARE(dialogs.MsgBox(nullptr, "Do you care to play again?", style, title), answer);
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
