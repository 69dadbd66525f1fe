// The secondary windows through their controls: the options dialog, the contest notice
// and its flag, the about box, the scoring table and the high-score list.
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

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

class TestAuxWindows : public QObject
{
    Q_OBJECT
private slots:
    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings, all three.
    void options()
    {
        for (const auto& [clicks, after] : {std::pair{"cmdOK", "1 Unbeatable 1"},
                                            {"optPlayer2 optEasy chkSound cmdOK", "0 Easy 0"},
                                            {"optModerate cmdOK", "1 Moderate 1"},
                                            {"optHard cmdOK", "1 Hard 1"},
                                            {"optEasy optPlayer2 cmdCancel", "0 x 1"},
                                            {"optEasy Esc", "0 x 1"},
                                            {"optEasy close", "0 x 1"}}) {
            GameRun run;
            run.ctx.settings = {false, "x", true};
            dz::frmOptions dlg(run.ctx, nullptr);
            dlg.show();
            for (const QString& name : QString(clicks).split(' ')) {
                name == "Esc" ? QTest::keyClick(&dlg, Qt::Key_Escape)
                : name == "close"
                    ? void(dlg.close())
                    : QTest::mouseClick(dlg.findChild<QWidget*>(name), Qt::LeftButton, {}, {6, 8});
            }
            const dz::Settings& s = run.ctx.settings;
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(s.OnePlayer).arg(s.Level).arg(s.SoundOn),
                     QString(after));
            QVERIFY(!dlg.isVisible());
        }
    }

    // Opened with the stored choice; scrolled in twips; only OK stores the box.
    void contest()
    {
        for (const auto& [action, after] : {std::pair{"tick OK", "[Contest]\r\nShow=True\r\n"},
                                            {"clear OK", "[Contest]\r\nShow=False\r\n"},
                                            {"tick close", "<none>"}}) {
            const bool stored = QString(action).startsWith("clear");
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
            box->setChecked(!stored);
            QString(action).endsWith("OK") ? contest->findChild<QPushButton*>("cmdOK")->click()
                                           : void(contest->close());
            GameRun::settle();
            QVERIFY(contest.isNull());
            QCOMPARE(run.readFile("DirIziVur.ini"),
                     stored || QString(action).endsWith("OK") ? after : "<none>");
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
        using T = dz::frmScoring;
        QStringList cells;
        const QImage picture = T::TablePicture(1).toImage();
        for (int row = 0; row < T::Rows; ++row) {
            for (int column = 0; column < T::Columns; ++column) {
                const QRect at = T::CellRect(row, column).adjusted(4, 4, -4, -4);
                cells << T::CellText(row, column);
                QVERIFY(QRect(QPoint(), T::PictureSize).contains(at) &&
                        (column == 0 || at.left() > T::CellRect(row, column - 1).right()));
                QVERIFY(QFontMetrics(T::CellFont(row, column)).horizontalAdvance(cells.last()) <
                        at.width());
                int ink = 0;
                for (int x = at.left(); x <= at.right(); ++x)
                    for (int y = at.top(); y <= at.bottom(); ++y)
                        ink += qGray(picture.pixel(x, y)) < 128;
                QCOMPARE(ink > 0, !cells.last().isEmpty());
            }
        }
        QCOMPARE(cells.join('|'), "|Easy|Moderate|Hard|Unbeatable|Win|+0.5|+2|+3|+100|Loss|-1|-2|-"
                                  "3|-3|Tie|-0.5|0|0|+0.5");
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
        for (const char* name :
             {"lblName_1", "lblScore_1", "lblName_2", "lblScore_2", "lblName_3", "lblName_5"}) {
            auto* label = list->findChild<QLabel*>(name);
            QVERIFY(label->size() == label->sizeHint() && label->textFormat() == Qt::PlainText);
            shown << QString(label->text()).remove(QChar(0x2068)).remove(QChar(0x2069));
        }
        QCOMPARE(shown, (QStringList{"<b>Bo</b>", "102.5", "Line\ufffdtwo\ufffdor\ufffdthree",
                                     "-0.5", "Zo", ""}));
        QCOMPARE(list->findChild<QLabel*>("lblName_4")->text().size(),
                 256 + 3); // cut, with an ellipsis
        const auto colour = [&](const char* name) {
            return list->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
        };
        QVERIFY(colour("lblScore_1") == QColor(Qt::red) && colour("lblName_2") != QColor(Qt::red));
        QCOMPARE(list->findChild<QLabel*>("lblName_5")->font(), dz::PresidentFont(9.75, true));
        QTest::keyClick(list->findChild<QPushButton*>("cmdOK"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }
};

DZ_TEST(TestAuxWindows)
#include "test_aux_windows.moc"
