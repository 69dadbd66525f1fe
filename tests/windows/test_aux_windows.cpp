// The secondary windows through their controls: the options dialog, the contest notice
// and its flag, the about box, the scoring table and the high-score list.
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include "kit/display_text.h"
#include "kit/fonts.h"
#include "kit/show_window.h"
#include "options/frmOptions.h"
#include "scoring/frmHighScore.h"
#include "support/game_run.h"
#include "support/test_main.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using dz::test::GameRun;
Q_DECLARE_METATYPE(dz::Settings)

class TestAuxWindows : public QObject
{
    Q_OBJECT
private slots:
    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings.
    void options_data()
    {
        QTest::addColumn<dz::Settings>("before");
        QTest::addColumn<QStringList>("clicks"); // control names, "Esc" or "close"
        QTest::addColumn<dz::Settings>("after");
        const dz::Settings start;
        // clang-format off
        QTest::newRow("defaults") << dz::Settings{false, "Easy", false} << QStringList{"cmdOK"}
                                  << dz::Settings{true, "Unbeatable", true};
        QTest::newRow("two players, Easy, silent") << dz::Settings{true, "Hard", true}
            << QStringList{"optPlayer2", "optEasy", "chkSound", "cmdOK"} << dz::Settings{false, "Easy", false};
        QTest::newRow("Moderate") << start << QStringList{"optModerate", "cmdOK"} << dz::Settings{true, "Moderate", true};
        QTest::newRow("Hard") << start << QStringList{"optHard", "cmdOK"} << dz::Settings{true, "Hard", true};
        for (const char* leave : {"cmdCancel", "Esc", "close"})
            QTest::newRow(leave) << start << QStringList{"optEasy", "optPlayer2", leave} << start;
        // clang-format on
    }
    // Opened with the stored choice; scrolled in twips; only OK stores the box.
    void contest_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("after");
        // clang-format off
        QTest::newRow("OK ticked writes True") << "tick, OK" << QByteArray("[Contest]\r\nShow=True\r\n");
        QTest::newRow("True stored, OK cleared writes False") << "clear, OK" << QByteArray("[Contest]\r\nShow=False\r\n");
        QTest::newRow("close box writes nothing") << "tick, close" << QByteArray("<none>");
        // clang-format on
    }
    void contest()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, after);
        const bool stored = action.startsWith("clear");
        GameRun run(!stored);
        QPointer<dz::frmContest> contest = dz::ShowModeless<dz::frmContest>(run.ctx);
        QCOMPARE(dz::ShowModeless<dz::frmContest>(run.ctx), contest.data());
        auto* bar = contest->findChild<QScrollBar*>("VScroll");
        QCOMPARE(QList<int>({bar->maximum(), bar->pageStep(), bar->singleStep()}),
                 QList<int>({5445, 1089, 218}));
        bar->setValue(bar->maximum());
        QCOMPARE(contest->findChild<QLabel*>("Picture2")->y(), -363); // 5445 twips
        auto* box = contest->findChild<QCheckBox*>("chkDoNotShow");
        QCOMPARE(box->isChecked(), stored);
        box->setChecked(action.startsWith("tick"));
        if (action.endsWith("OK"))
            QTest::mouseClick(contest->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        else
            contest->close();
        GameRun::settle();
        QVERIFY(contest.isNull());
        QCOMPARE(run.readFile("DirIziVur.ini"), stored ? after.replace("<none>", "") : after);
    }

    // Enter and Esc close it; a fresh box sounds only with sound on, a box brought
    // forward not at all; the links and the system-information tool.
    void about()
    {
        GameRun run;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<dz::frmAbout> about = dz::ShowModeless<dz::frmAbout>(run.ctx);
            QTest::keyClick(about, key);
            GameRun::settle();
            QVERIFY2(about.isNull(), "Enter and Esc close the about box");
        }
        QVERIFY(run.sound.played.isEmpty());
        run.ctx.settings.SoundOn = true;
        auto* about = dz::ShowModeless<dz::frmAbout>(run.ctx);
        QCOMPARE(dz::ShowModeless<dz::frmAbout>(run.ctx), about);
        QCOMPARE(run.sound.played, QStringList{"GoodDeal.Wav"});
        for (const char* name : {"Label3", "lblEmail"})
            QTest::mouseClick(about->findChild<QLabel*>(name), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(run.desktop.calls, QStringList({"open https://www.dirizivur.example/",
                                                 "open mailto:author@dirizivur.example"}));
        QCOMPARE(run.dialogs.shown, (QList<dz::test::ShownMessage>{
                                        {"msgbox", "System Information Is Unavailable At This Time",
                                         "DirIziVur", dz::vbOKOnly, about}}));
        QCOMPARE(about->findChild<QLabel*>("Label3")->cursor().hotSpot(), QPoint(12, 1));
    }

    // The table reads as the scoring rules count; every text fits its cell, and is drawn.
    void scoringTable()
    {
        QStringList cells;
        for (int row = 0; row < dz::frmScoring::Rows; ++row)
            for (int column = 0; column < dz::frmScoring::Columns; ++column)
                cells << dz::frmScoring::CellText(row, column);
        QCOMPARE(cells.join('|'), "|Easy|Moderate|Hard|Unbeatable|Win|+0.5|+2|+3|+100|"
                                  "Loss|-1|-2|-3|-3|Tie|-0.5|0|0|+0.5");
        const QImage picture = dz::frmScoring::TablePicture(1).toImage();
        QRect previous;
        for (int column = 0; column < dz::frmScoring::Columns; ++column) {
            const QRect cell = dz::frmScoring::CellRect(dz::frmScoring::Rows - 1, column);
            QVERIFY(QRect(QPoint(), dz::frmScoring::PictureSize).contains(cell));
            QVERIFY(column == 0 || cell.left() > previous.right());
            previous = cell;
            for (int row = 0; row < dz::frmScoring::Rows; ++row) {
                const QRect at = dz::frmScoring::CellRect(row, column).adjusted(4, 4, -4, -4);
                const QFontMetrics metrics(dz::frmScoring::CellFont(row, column));
                QVERIFY(metrics.horizontalAdvance(dz::frmScoring::CellText(row, column)) < at.width());
                int ink = 0;
                for (int x = at.left(); x <= at.right(); ++x)
                    for (int y = at.top(); y <= at.bottom(); ++y)
                        ink += qGray(picture.pixel(x, y)) < 128;
                QCOMPARE(ink > 0, !dz::frmScoring::CellText(row, column).isEmpty());
            }
        }
    }

    // Names as typed, never as markup; a control or separator never breaks a row, nor
    // an override turns the text around it; place 1 in bright red.
    void highScoreList()
    {
        GameRun run;
        auto* list = dz::ShowModeless<dz::frmHighScore>(
            [](dz::frmHighScore& w) {
                w.fill({{{"<b>Bo</b>", 102.5}, {"Line\xe2\x80\xa8two\tor\nthree", -0.5},
                         {"\xe2\x80\xaeZo\xe2\x81\xa9", 3}, {QByteArray(300, 'x'), 0}}});
            },
            run.ctx);
        QStringList shown;
        for (const char* name : {"lblName_1", "lblScore_1", "lblName_2", "lblScore_2", "lblName_3",
                                 "lblName_4", "lblName_5"}) {
            auto* label = list->findChild<QLabel*>(name);
            QCOMPARE(label->size(), label->sizeHint());
            QCOMPARE(label->textFormat(), Qt::PlainText);
            shown << QString(label->text()).remove(QChar(0x2068)).remove(QChar(0x2069));
        }
        QCOMPARE(shown.mid(0, 5), (QStringList{"<b>Bo</b>", "102.5", "Line\ufffdtwo\ufffdor\ufffdthree",
                                               "-0.5", "Zo"}));
        QCOMPARE(shown[5], QString(256, u'x') + QChar(0x2026));
        QCOMPARE(shown[6], "");
        const auto colour = [&](const char* name) {
            return list->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
        };
        QCOMPARE(colour("lblScore_1"), QColor(Qt::red));
        QVERIFY(colour("lblName_2") != QColor(Qt::red));
        QCOMPARE(list->findChild<QLabel*>("lblName_5")->font(), dz::PresidentFont(9.75, true));
        QTest::keyClick(list->findChild<QPushButton*>("cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }
};

DZ_TEST(TestAuxWindows)
#include "test_aux_windows.moc"
