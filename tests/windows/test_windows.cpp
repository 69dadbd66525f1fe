// The windows against the design: sizes, captions, faces and colours, labels as wide as their
// text, frames clear of their controls, pictures as sharp as the screen, at 100% and at 200%;
// then the secondary windows through their controls, and the real message box.
#include <QCheckBox>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

#include "kit/frame.h"
#include "options/frmOptions.h"
#include "platform/qt_dialogs.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

// A window, its client area in twips (15 to a pixel at 96 dpi) and its caption.
using WindowRow = std::tuple<const char*, int, int, const char*>;
// A label of a window, its face from the design, points and weight, and its colour (black: the
// default text's).
using FaceRow = std::tuple<const char*, const char*, const char*, double, bool, QColor>;

static QWidget* Open(GameRun& run, const QString& window)
{
    run.start();
    ShowStoredHighScores(run.ctx);
    if (window == "frmOptions")
        return new frmOptions(run.ctx, run.window);
    if (window == "frmAbout")
        return ShowModeless<frmAbout>(run.ctx);
    if (window == "frmContest")
        return ShowModeless<frmContest>(run.ctx);
    if (window == "frmScoring")
        return ShowModeless<frmScoring>(run.ctx);
    return window == "frmMain" ? run.window : static_cast<QWidget*>(OpenWindow<frmHighScore>());
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
    void layout()
    {
        const auto& [name, width, height, caption] = Row<WindowRow>();
        GameRun run;
        QWidget* window = Open(run, name);
        window->show();
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE((window == run.window ? run.window->centralWidget() : window)->size(),
                 QSize(width, height) / 15);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        for (auto* label : window->findChildren<QLabel*>()) {
            const bool fixed = label->objectName() == "lblXWins"; // the one with a size of its own
            if (!fixed && (label->parentWidget()->objectName() == "Frame2" ||
                           label->objectName().startsWith("lblName")))
                QCOMPARE(label->width(), label->sizeHint().width());
            QVERIFY2(label->width() >= label->sizeHint().width() || label->text().isEmpty(),
                     qPrintable(label->objectName()));
            QVERIFY(label->pixmap().isNull() ||
                    label->pixmap().devicePixelRatio() == window->devicePixelRatioF());
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
    }

    void faces_data()
    {
        const QColor darkRed(128, 0, 0);
        const FaceRow rows[] = {
            {"frmMain", "Label7", "President", 9.75, false, darkRed},
            {"frmMain", "lblMove", "MS Sans Serif", 8, false, Qt::black},
            {"frmHighScore", "Label1", "President", 20.25, true, darkRed},
            {"frmHighScore", "lblScore_1", "President", 9.75, true, Qt::red},
            {"frmHighScore", "lblName_2", "President", 9.75, true, Qt::black},
            {"frmAbout", "lblTitle", "President", 20.25, true, darkRed},
            {"frmAbout", "lblVersion", "Arial", 9, true, Qt::black},
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
        QCOMPARE(label->font().families().value(0) + u' ' +
                     QString::number(label->font().pointSizeF()),
                 family + QString(" ") + QString::number(points));
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; OK writes all
    // three, Cancel none.
    void options()
    {
        for (const auto& [clicks, settings] :
             {std::pair{"optPlayer2 optEasy chkSound cmdOK", "0 Easy 0"},
              {"optModerate cmdOK", "1 Moderate 1"},
              {"optHard cmdOK", "1 Hard 1"},
              {"optEasy cmdCancel", "0 x 1"}}) {
            GameRun run;
            run.ctx.settings = {false, "x", true};
            frmOptions dialog(run.ctx, nullptr);
            dialog.show();
            for (const QString& control : QString(clicks).split(u' '))
                QTest::mouseClick(GameRun::Find(&dialog, control.toLatin1()), Qt::LeftButton, {},
                                  {6, 8});
            const Settings& s = run.ctx.settings;
            QCOMPARE(QString("%1 %2 %3").arg(s.OnePlayer).arg(s.Level).arg(s.SoundOn), settings);
        }
    }

    // Opened with the stored choice, once; scrolled in twips; only OK stores the box, ticked or
    // cleared.
    void contest()
    {
        for (const auto& [stored, ok, file] :
             {std::tuple{false, true, "[Contest]\r\nShow=True\r\n"},
              {true, true, "[Contest]\r\nShow=False\r\n"},
              {false, false, ""}}) {
            GameRun run(!stored);
            QPointer<frmContest> contest = ShowModeless<frmContest>(run.ctx);
            QCOMPARE(ShowModeless<frmContest>(run.ctx), contest.data());
            auto* bar = GameRun::Find<QScrollBar>(contest, "VScroll");
            QCOMPARE(QList({bar->maximum(), bar->pageStep(), bar->singleStep(), bar->height()}),
                     QList({5445, 1089, 218, GameRun::Find(contest, "Picture1")->height()}));
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
            QFile settings(run.ctx.filesFolder + "/DirIziVur.ini");
            QCOMPARE(settings.open(QIODevice::ReadOnly) ? settings.readAll() : "", file);
        }
    }

    // Enter and Esc close it, other keys not; a fresh box sounds only with sound on; the links
    // go to the desktop's opener, and System Info starts the first system-information tool on
    // the search path, or tells the tool is unavailable.
    void about()
    {
        QTemporaryDir dir;
        for (const char* tool : {"xdg-open", "hardinfo"}) { // each keeps its arguments
            QFile f(dir.filePath(tool));
            QVERIFY(f.open(QIODevice::WriteOnly) &&
                    f.write("#!/bin/sh\necho \"$0 $*\" >>\"$0.log\"\n"));
            f.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8());
        GameRun run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<frmAbout> about = ShowModeless<frmAbout>(run.ctx);
            QTest::keyClick(about, Qt::Key_A);
            QTest::keyClick(about, Qt::Key_Escape, Qt::ShiftModifier);
            QTest::keyClick(about, key);
            GameRun::settle();
            QCOMPARE(about.isNull(), true);
        }
        run.ctx.settings.SoundOn = true;
        auto* about = ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(ShowModeless<frmAbout>(run.ctx), about);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        QTest::mouseClick(GameRun::Find(about, "Label3"), Qt::LeftButton);
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::RightButton);
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::LeftButton);
        const auto log = [&](const char* tool) {
            QFile f(dir.filePath(tool) + ".log");
            return f.open(QIODevice::ReadOnly) ? QString(f.readAll()).remove(dir.path() + '/')
                                               : QString();
        };
        GameRun::Find<QPushButton>(about, "cmdSysInfo")->click();
        QTRY_COMPARE(log("hardinfo"), "hardinfo \n");
        QFile::remove(dir.filePath("hardinfo"));
        GameRun::Find<QPushButton>(about, "cmdSysInfo")->click();
        QCOMPARE(run.dialogs.shown,
                 QList<ShownMessage>({{"msgbox", "System Information Is Unavailable At This Time",
                                       "", vbOKOnly, about}}));
        QTRY_COMPARE(
            log("xdg-open"),
            "xdg-open https://www.dirizivur.example/\nxdg-open mailto:author@dirizivur.example\n");
        QCOMPARE(GameRun::Find(about, "Label3")->cursor().hotSpot(), QPoint(12, 1));
        qputenv("PATH", path);
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

    // The real box: the icon and buttons of each style, the application's title when none is
    // given, and room for the title; Esc and the close button answer an OK box.
    void messageBox()
    {
        for (const auto& [style, icon] : {std::pair{vbOKOnly, QMessageBox::NoIcon},
                                          {vbInformation, QMessageBox::Information},
                                          {vbExclamation, QMessageBox::Warning}}) {
            QTimer::singleShot(0, [style = style, icon = icon] {
                auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QCOMPARE(shown->windowTitle(),
                         style == vbOKOnly ? "DirIziVur" : "We have a Winner");
                QCOMPARE(shown->icon(), icon);
                QCOMPARE(shown->standardButtons(), QMessageBox::Ok);
                QVERIFY(shown->width() >
                        2 * shown->fontMetrics().horizontalAdvance(shown->windowTitle()));
                if (style == vbExclamation)
                    shown->close();
                else
                    QTest::keyClick(shown, Qt::Key_Escape);
            });
            QCOMPARE(QtDialogs().MsgBox(nullptr, "Player X Wins!", style,
                                        style ? "We have a Winner" : ""),
                     vbOK);
        }
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
