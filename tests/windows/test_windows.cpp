// The windows against the design: their sizes and captions, labels sized to their text, faces
// and colours, frames clear of their controls, pictures as sharp as the screen, at 100% and at
// 200%. Then the secondary windows through their controls, and the real message box and
// desktop services.
#include <QCheckBox>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

#include "kit/frame.h"
#include "options/frmOptions.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

// A window's client area in twips (15 to a pixel at 96 dpi) and its caption.
using WindowRow = std::tuple<const char*, int, int, const char*>;
// A label's face from the design, its points and weight, and its colour (black: the default
// text's).
using FaceRow = std::tuple<const char*, const char*, const char*, double, bool, QColor>;
// The clicks in the options dialog (Esc: the key), then the settings.
using OptionsRow = std::tuple<const char*, QStringList, bool, const char*, bool>;
// A style and the title given; the title shown, the icon and the buttons; the keys pressed
// (Qt::Key_Close: the title bar's close button) and the answer.
using MessageRow = std::tuple<const char*, int, const char*, const char*, QMessageBox::Icon,
                              QMessageBox::StandardButtons, QList<Qt::Key>, int>;

static QWidget* Open(GameRun& run, const QString& window)
{
    run.start();
    ShowStoredHighScores(run.ctx);
    if (window == "frmOptions")
        return new frmOptions(run.ctx, run.window);
    if (window == "frmHighScore")
        return OpenWindow<frmHighScore>();
    if (window == "frmAbout")
        return ShowModeless<frmAbout>(run.ctx);
    if (window == "frmContest")
        return ShowModeless<frmContest>(run.ctx);
    if (window == "frmScoring")
        return ShowModeless<frmScoring>(run.ctx);
    return run.window;
}

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
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
        AddRows(rows);
    }
    // Labels no narrower than their text, those of the counters and the list as wide; a
    // frame's controls inside its etched line, below its caption band; pictures drawn for the
    // screen's pixel ratio.
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
            const bool sizedToText =
                label->parentWidget()->objectName() == "Frame2" ||
                (QLatin1String(name) == "frmHighScore" && label->objectName().startsWith("lbl"));
            if (!label->text().isEmpty())
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName()));
            if (sizedToText && label->objectName() != "lblXWins")
                QCOMPARE(label->size(), label->sizeHint());
            if (!label->pixmap().isNull())
                QCOMPARE(label->pixmap().devicePixelRatio(), window->devicePixelRatioF());
        }
        for (auto* frame : window->findChildren<Frame*>()) {
            const QImage drawn = frame->grab().toImage();
            const QPoint corner(drawn.width() - 1, drawn.height() - 1);
            QVERIFY(drawn.pixel(corner - QPoint(0, 3)) != drawn.pixel(corner - QPoint(3, 3)));
            for (auto* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                QVERIFY(frame->rect().adjusted(2, 2, -2, -2).contains(control->geometry()));
                QVERIFY(control->y() >= frame->fontMetrics().height());
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
        const QWidget* label = GameRun::Find(Open(run, window), name);
        QCOMPARE(label->font().families().value(0), family);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings, all three.
    void options_data()
    {
        const OptionsRow rows[] = {
            {"OK as it opens", {"cmdOK"}, true, "Unbeatable", true},
            {"two players, Easy, silent",
             {"optPlayer2", "optEasy", "chkSound", "cmdOK"},
             false,
             "Easy",
             false},
            {"Moderate", {"optModerate", "cmdOK"}, true, "Moderate", true},
            {"Hard", {"optHard", "cmdOK"}, true, "Hard", true},
            {"Cancel", {"optEasy", "cmdCancel"}, false, "x", true},
            {"Esc", {"optEasy", "Esc"}, false, "x", true},
        };
        AddRows(rows);
    }
    void options()
    {
        const auto& [name, clicks, onePlayer, level, soundOn] = Row<OptionsRow>();
        GameRun run;
        run.ctx.settings = {false, "x", true};
        frmOptions dialog(run.ctx, nullptr);
        dialog.show();
        for (const QString& control : clicks) {
            if (control == "Esc")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(GameRun::Find(&dialog, qPrintable(control)), Qt::LeftButton, {},
                                  {6, 8});
        }
        const Settings& s = run.ctx.settings;
        QCOMPARE(QVariantList({s.OnePlayer, s.Level, s.SoundOn}),
                 QVariantList({onePlayer, level, soundOn}));
        QVERIFY(!dialog.isVisible());
    }

    // Opened with the stored choice, once; scrolled in twips; only OK stores the box, ticked or
    // cleared.
    void contest()
    {
        for (const auto& [stored, ok, file] :
             {std::tuple{false, true, "[Contest]\r\nShow=True\r\n"},
              {true, true, "[Contest]\r\nShow=False\r\n"},
              {false, false, "<none>"}}) {
            GameRun run(!stored);
            QPointer<frmContest> contest = ShowModeless<frmContest>(run.ctx);
            QCOMPARE(ShowModeless<frmContest>(run.ctx), contest.data());
            auto* bar = GameRun::Find<QScrollBar>(contest, "VScroll");
            QCOMPARE(QList({bar->maximum(), bar->pageStep(), bar->singleStep()}),
                     QList({5445, 1089, 218}));
            QCOMPARE(bar->height(), GameRun::Find(contest, "Picture1")->height());
            bar->setValue(5445);
            auto* picture = GameRun::Find<QLabel>(contest, "Picture2");
            QCOMPARE(picture->y(), -363); // 5445 twips
            QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(305, 546));
            auto* box = GameRun::Find<QCheckBox>(contest, "chkDoNotShow");
            QCOMPARE(box->isChecked(), stored);
            box->setChecked(!stored);
            if (ok)
                GameRun::Find<QPushButton>(contest, "cmdOK")->click();
            else
                contest->close();
            GameRun::settle();
            QVERIFY(contest.isNull());
            QCOMPARE(run.read("DirIziVur.ini"), file);
        }
    }

    // Enter and Esc close it, other keys not; a fresh box sounds only with sound on, a box
    // brought forward not at all; the links, and the system-information tool told unavailable.
    void about()
    {
        GameRun run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<frmAbout> about = ShowModeless<frmAbout>(run.ctx);
            QTest::keyClick(about, Qt::Key_A);
            QTest::keyClick(about, Qt::Key_Escape, Qt::ShiftModifier);
            QVERIFY(about->isVisible());
            QTest::keyClick(about, key);
            GameRun::settle();
            QVERIFY(about.isNull());
        }
        run.ctx.settings.SoundOn = true;
        auto* about = ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(ShowModeless<frmAbout>(run.ctx), about);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        QTest::mouseClick(GameRun::Find(about, "Label3"), Qt::LeftButton);
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::RightButton);
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::LeftButton);
        QCOMPARE(run.desktop.calls, (QStringList{"open https://www.dirizivur.example/",
                                                 "open mailto:author@dirizivur.example"}));
        GameRun::Find<QPushButton>(about, "cmdSysInfo")->click();
        const ShownMessage told{"msgbox", "System Information Is Unavailable At This Time", "", 0,
                                about};
        QCOMPARE(run.dialogs.shown, QList{told});
        QCOMPARE(GameRun::Find(about, "Label3")->cursor().hotSpot(), QPoint(12, 1));
    }

    // The picture reads as the scoring rules count, the levels across and the results down.
    void scoringTable()
    {
        QFile svg(":/pictures/scoring.svg");
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QStringList texts;
        for (const auto& text : QRegularExpression(">([^<]*)</text>").globalMatch(svg.readAll()))
            texts << text.captured(1);
        QCOMPARE(texts.join(u' '), "Scoring Table Scoring Table Easy Moderate Hard Unbeatable "
                                   "Win +0.5 +2 +3 +100 Loss -1 -2 -3 -3 Tie -0.5 0 0 +0.5");
        GameRun run;
        auto* image = GameRun::Find<QLabel>(ShowModeless<frmScoring>(run.ctx), "Image1");
        QCOMPARE(image->pixmap().deviceIndependentSize(), QSizeF(320, 142));
    }

    // Names as typed, never as markup: a blank, "!" and a no-break space stay, controls and
    // separators give way, bidi controls go, a long name is cut between characters, and one
    // that is no UTF-8 is Windows-1252. Return closes the list.
    void highScoreList()
    {
        GameRun run;
        const QByteArray breaks = "A b!\x7F\xC2\x9F\xC2\xA0\xE2\x80\xA8\xE2\x80\xA9\t";
        const QByteArray bidi = "\xE2\x80\xAAZ\xE2\x80\xAE\xE2\x81\xA6o\xE2\x81\xA9\xE2\x81\xAA";
        const QByteArray cut = QByteArray(255, 'x') + "\xF0\x9F\x98\x80y";
        auto* list = ShowModeless<frmHighScore>(run.ctx, [&](frmHighScore& w) {
            w.fill({{{"<b>Bo</b>", 102.5}, {breaks, -0.5}, {bidi, 0}, {cut, 0}, {"\xE9t", 0}}});
        });
        QStringList shown;
        for (auto* label : list->findChildren<QLabel*>(QRegularExpression("^lbl")))
            shown << label->text();
        QCOMPARE(shown, (QStringList{
                            "<b>Bo</b>", "102.5",
                            QString::fromUtf16(u"A b!\ufffd\ufffd\u00a0\ufffd\ufffd\ufffd"), "-0.5",
                            QString::fromUtf16(u"Zo\u206a"), "0", QString(255, u'x') + u'\u2026',
                            "0", QString::fromUtf16(u"\u00e9t"), "0"}));
        QCOMPARE(GameRun::Find<QLabel>(list, "lblName_1")->textFormat(), Qt::PlainText);
        QTest::keyClick(GameRun::Find(list, "cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    // The real boxes: the title, buttons and icon of each style; Esc and the close button
    // answer an OK box but never the question; the box as wide as its title.
    void messageBox_data()
    {
        using Box = QMessageBox;
        const MessageRow rows[] = {
            {"no title: the application's", 0, "", "DirIziVur", Box::NoIcon, Box::Ok,
             List<Qt::Key>(Qt::Key_Escape), vbOK},
            {"information", 64, "We have a Winner", "We have a Winner", Box::Information, Box::Ok,
             List<Qt::Key>(Qt::Key_Close), vbOK},
            {"a warning", 48, "t", "t", Box::Warning, Box::Ok, List<Qt::Key>(Qt::Key_Return), vbOK},
            {"a question has no way out but Yes or No", 4, "Play Again?", "Play Again?",
             Box::NoIcon, Box::Yes | Box::No,
             List<Qt::Key>(Qt::Key_Escape, Qt::Key_Close, Qt::Key_N), vbNo},
            {"Yes is the question's default", 4, "Play Again?", "Play Again?", Box::NoIcon,
             Box::Yes | Box::No, List<Qt::Key>(Qt::Key_Return), vbYes},
        };
        AddRows(rows);
    }
    void messageBox()
    {
        const auto& [name, style, title, shownTitle, icon, buttons, keys, answer] =
            Row<MessageRow>();
        QMessageBox* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QCOMPARE(shown->windowTitle(), shownTitle);
            QCOMPARE(shown->icon(), icon);
            QCOMPARE(shown->standardButtons(), buttons);
            QVERIFY(shown->width() > 2 * shown->fontMetrics().horizontalAdvance(shownTitle));
            for (Qt::Key key : keys) {
                if (key == Qt::Key_Close)
                    shown->close();
                else
                    QTest::keyClick(shown, key);
            }
        });
        QCOMPARE(QtDialogs().MsgBox(nullptr, "Do you care to play again?", style, title), answer);
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
        QtDesktop desktop;
        const QString key = "software\\microsoft\\shared tools\\msinfo";
        QCOMPARE(desktop.registryValue(HKEY_LOCAL_MACHINE, key, "path")->data,
                 dir.filePath("hardinfo").toUtf8() + '\0');
        QVERIFY(!desktop.registryValue(HKEY_LOCAL_MACHINE, key, "Other"));
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
