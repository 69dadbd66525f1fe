// The windows against the design, at 100% and at 200%: faces and colours; then the secondary
// windows through their controls.
#include <QRegularExpression>
#include <QTimer>

#include "options/frmOptions.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/game_run.h"
#include "windows/frmAbout.h"

// A window and a label of it; its face from the design, points, bold, and its colour (black: the
// default text's).
using FaceRow = std::tuple<const char*, const char*>;

static QWidget* Open(GameRun& run, const QString& window)
{
    run.start();
    ShowStoredHighScores(run.ctx);
    if (window == "frmAbout")
        return ShowModeless<frmAbout>(run.ctx);
    return window == "frmMain" ? run.window : static_cast<QWidget*>(OpenWindow<frmHighScore>());
}

class TestWindows : public QObject
{
    Q_OBJECT
private slots:

    void faces_data()
    {
        const FaceRow rows[] = {
            {"frmMain Label7", "President 9.75 0 #800000"},
            {"frmMain lblMove", "MS Sans Serif 8 0 #000000"},
            {"frmHighScore Label1", "President 20.25 1 #800000"},
            {"frmHighScore lblScore_1", "President 9.75 1 #ff0000"},
            {"frmHighScore lblName_2", "President 9.75 1 #000000"},
            {"frmAbout lblTitle", "President 20.25 1 #800000"},
            {"frmAbout lblVersion", "Arial 9 1 #000000"},
            {"frmAbout Label3", "MS Sans Serif 8 0 #0000ff"},
        };
        AddRows(rows);
    }
    void faces()
    {
        const auto& [label, face] = Row<FaceRow>();
        GameRun run;
        const QStringList names = QString(label).split(u' ');
        const QWidget* shown = GameRun::Find(Open(run, names[0]), names[1].toLatin1());
        const QFont font = shown->font();
        QCOMPARE(QString::asprintf("%s %g %d %s", qPrintable(font.families().value(0)),
                                   font.pointSizeF(), font.bold(),
                                   qPrintable(shown->palette().color(QPalette::WindowText).name())),
                 face);
    }

    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; OK writes all
    // three, Cancel none.
    void options()
    {
        const char* rows[][2] = {{"optPlayer2 optEasy chkSound cmdOK", "0 Easy 0"},
                                 {"optModerate cmdOK", "1 Moderate 1"},
                                 {"optHard cmdOK", "1 Hard 1"},
                                 {"optEasy cmdCancel", "0 x 1"}};
        for (const auto& [clicks, settings] : rows) {
            GameRun run;
            run.ctx.settings = {false, "x", true};
            frmOptions dialog(run.ctx, nullptr);
            dialog.show();
            for (const QString& control : QString(clicks).split(u' '))
                QTest::mouseClick(GameRun::Find(&dialog, control.toLatin1()), Qt::LeftButton, {},
                                  {6, 8});
            const Settings& s = run.ctx.settings;
            QCOMPARE(QString::asprintf("%d %s %d %d", s.OnePlayer, qPrintable(s.Level), s.SoundOn,
                                       dialog.isVisible()),
                     settings + QString(" 0"));
        }
    }

    // Enter and Esc close it, other keys not; a fresh box sounds only with sound on; the links
    // go to the desktop's opener, and System Info starts the first system-information tool on
    // the search path, or tells the tool is unavailable.
    void about()
    {
        const QTemporaryDir dir; // the desktop's opener and a system-information tool, as fakes
        const QString calls = dir.filePath("calls");
        QCOMPARE(std::system(qPrintable("cd " + dir.path() +
                                        " && for t in xdg-open hardinfo; do printf '#!/bin/sh\\n" +
                                        "echo \"${0##*/} $*\" >>" + calls +
                                        "\\n' >$t; done && chmod +x xdg-open")),
                 0);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8());
        GameRun run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<frmAbout> about = ShowModeless<frmAbout>(run.ctx);
            QTest::keyClick(about, Qt::Key_A);
            QTest::keyClick(about, Qt::Key_Escape, Qt::ShiftModifier);
            const bool stayed = about->isVisible();
            QTest::keyClick(about, key);
            GameRun::settle();
            QCOMPARE(QList({stayed, about.isNull()}), QList({true, true}));
        }
        run.ctx.settings.SoundOn = true;
        auto* about = ShowModeless<frmAbout>(run.ctx);
        QCOMPARE(ShowModeless<frmAbout>(run.ctx), about);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        GameRun::Find<QPushButton>(about, "cmdSysInfo")->click(); // no tool that runs yet
        QCOMPARE(run.dialogs.shown,
                 QList<ShownMessage>({{"System Information Is Unavailable At This Time",
                                       "DirIziVur", vbOKOnly, about}}));
        QFile::setPermissions(dir.filePath("hardinfo"), QFile::ExeOwner | QFile::ReadOwner);
        GameRun::Find<QPushButton>(about, "cmdSysInfo")->click();
        QTRY_COMPARE(Read(calls), "hardinfo \n");
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::RightButton); // no click
        QTest::mouseClick(GameRun::Find(about, "Label3"), Qt::LeftButton);
        QTRY_COMPARE(Read(calls), "hardinfo \nxdg-open https://www.dirizivur.example/\n");
        QTest::mouseClick(GameRun::Find(about, "lblEmail"), Qt::LeftButton);
        QTRY_VERIFY(Read(calls).endsWith("example/\nxdg-open mailto:author@dirizivur.example\n"));
        QCOMPARE(GameRun::Find(about, "Label3")->cursor().hotSpot(), QPoint(12, 1));
        qputenv("PATH", path);
    }

    // Names as typed, never as markup, nor cut by their labels: a blank, "!" and a no-break space
    // stay, controls and separators give way, bidi controls go, a long name is cut between
    // characters, and one that is no UTF-8 is Windows-1252. Return closes the list.
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
            shown << (label->width() < label->sizeHint().width() ? "cut" : label->text());
        QCOMPARE(shown, (QStringList{
                            "<b>Bo</b>", "102.5",
                            QString::fromUtf16(u"A b!\ufffd\ufffd\u00a0\ufffd\ufffd\ufffd"), "-0.5",
                            QString::fromUtf16(u"Zo\u206a"), "0", QString(255, u'x') + u'\u2026',
                            "0", QString::fromUtf16(u"\u00e9t"), "0"}));
        QCOMPARE(GameRun::Find<QLabel>(list, "lblName_1")->textFormat(), Qt::PlainText);
        QTest::keyClick(GameRun::Find(list, "cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
