// One-player games through the real main window: the computer's reply inside the
// human's click, its win announced inside its own move, and the score that follows.
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "support/game_run.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

class TestOnePlayer : public QObject
{
    Q_OBJECT
private slots:
    void reply_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("board");
        QTest::newRow("one click places both pieces") << "Unbeatable"
                                                      << "X..|.O.|...";
        QTest::newRow("a level outside the four names") << "unbeatable"
                                                        << "X..|...|...";
    }
    void reply()
    {
        QFETCH(QString, level);
        QFETCH(QString, board);
        GameRun run;
        run.ctx.settings = {true, level, false};
        run.start();
        run.click({1});
        QCOMPARE(run.window->board().picture(), board);
        QCOMPARE(run.ui().lblMove->text(), QString::number(board.count('.') == 7 ? 3 : 2));
    }

    // Each finished game: the first box, the tally raised and the score it leaves.
    void gamesAreScored_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("seenAtFirstBox"); // board and lblMove
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("scores"); // current|best

        // Easy plays 5, 3, 7 and wins inside its own move.
        QTest::newRow("computer wins at Easy")
            << "Easy" << QList<double>{0.5, 0.25, 0.75} << QList<int>{1, 2, 4} << "XXO|XO.|O.. 7"
            << "You have faced Defeat"
            << "-1|0";
        // X 1, O 5, X 6; the early corner draws 7; X 3, O blocks 2; X wins with 9.
        QTest::newRow("human beats Unbeatable")
            << "Unbeatable" << QList<double>{0.67} << QList<int>{1, 6, 3, 9} << "XOX|.OX|O.X 8"
            << "We have a Winner"
            << "100|100";
        // Opposite corners answered with side 2; then blocks until the board is full.
        QTest::newRow("tie at Unbeatable")
            << "Unbeatable" << QList<double>{0.125} << QList<int>{1, 9, 8, 3, 4} << "XOX|XOO|OXX 10"
            << "Tie Game"
            << "0.5|0.5";
    }
    void gamesAreScored()
    {
        QFETCH(QString, level);
        QFETCH(QList<double>, fractions);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, seenAtFirstBox);
        QFETCH(QString, title);
        QFETCH(QString, scores);
        GameRun run;
        run.ctx.settings = {true, level, false};
        run.random.fractions = fractions;
        run.start();
        QStringList seen;
        run.dialogs.onShow = [&](const ShownMessage&) {
            seen << run.window->board().picture() + " " + run.ui().lblMove->text();
        };
        run.click(clicks);
        QCOMPARE(run.dialogs.shown.first().title, title);
        QCOMPARE(seen.first(), seenAtFirstBox);
        QCOMPARE(run.ui().lblCurrentScore->text() + "|" + run.ui().lblHighScore->text(), scores);
        QCOMPARE(run.window->board().pieces(), 0); // Yes: the next game
    }

    // Confirmed while O is to move: the human places that O, the computer replies
    // from X's next move on, and nothing else in the window changes.
    void optionsConfirmedMidGame()
    {
        GameRun run;
        run.start();
        run.click({1});
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(run.ui().cmdOptions, Qt::LeftButton);
        QCOMPARE(run.ui().lblLevel->text(), QStringLiteral("Unbeatable"));
        QCOMPARE(run.ui().lblMove->text() + run.ui().lblGame->text(), QStringLiteral("21"));
        QVERIFY(run.sound.played.isEmpty());
        run.click({2});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|...|..."));
        run.click({9});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|.O.|..X"));
    }
};

QTEST_MAIN(TestOnePlayer)
#include "test_one_player.moc"
