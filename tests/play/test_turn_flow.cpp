// The turn flow and the end of game through the real main window, two players.
#include <QTest>

#include "support/game_run.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    void freshStartIsTwoPlayerWithoutSound()
    {
        GameRun run;
        run.writeFile("highscore.DAT", "Ann\r\n102.5\r\n"); // any letter case is found
        run.start();
        auto& ui = run.ui();
        QCOMPARE((QStringList{ui.lblGame->text(), ui.lblMove->text(), ui.lblLevel->text(),
                              ui.lblHighScore->text()}),
                 (QStringList{"1", "1", "", "102.5"}));
        run.click({5, 1, 9});
        QCOMPARE(run.window->board().picture(), QStringLiteral("O..|.X.|..X"));
        QCOMPARE(ui.lblMove->text(), QStringLiteral("4"));
        QVERIFY(run.sound.played.isEmpty());
    }

    void gameEnds_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("announcement");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("final");   // board, lblMove, side to move
        QTest::addColumn<QString>("tallies"); // X|O|ties after the game

        QTest::newRow("X takes the top row") << QList<int>{1, 4, 2, 5, 3} << "Player X Wins!"
                                             << "We have a Winner"
                                             << "PlayerWin.Wav"
                                             << "XXX|OO.|... 6 O"
                                             << "1|0|0";
        QTest::newRow("O wins and plays the computer's sound")
            << QList<int>{1, 4, 2, 5, 9, 6} << "Player O Wins!"
            << "We have a Winner"
            << "ComputerWin.Wav"
            << "XX.|OOO|..X 7 X"
            << "0|1|0";
        QTest::newRow("ninth move completes a line: a win, not a tie")
            << QList<int>{1, 2, 3, 5, 8, 4, 6, 7, 9} << "Player X Wins!"
            << "We have a Winner"
            << "PlayerWin.Wav"
            << "XOX|OOX|OXX 10 O"
            << "1|0|0";
        QTest::newRow("full board without a line")
            << QList<int>{1, 2, 3, 5, 4, 6, 8, 7, 9} << "Yeap, another game for the cats!"
            << "Tie Game"
            << "TieGame.Wav"
            << "XOX|XOO|OXX 10 O"
            << "0|0|1";
    }
    void gameEnds()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, announcement);
        QFETCH(QString, title);
        QFETCH(QString, sound);
        QFETCH(QString, final);
        QFETCH(QString, tallies);

        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        auto& ui = run.ui();
        QStringList seen; // what the user sees while each box is up
        run.dialogs.onShow = [&](const ShownMessage&) {
            seen << QStringLiteral("%1 %2 %3 %4|%5|%6")
                        .arg(run.window->board().picture(), ui.lblMove->text(),
                             ui.imgWhoTurn->accessibleName().left(1), ui.lblXWins->text(),
                             ui.lblOWins->text(), ui.lblTie->text());
        };
        for (int cell : clicks)
            run.click({cell});

        const QList<ShownMessage> expected{
            {"msgbox", announcement, title, 64},
            {"msgbox", "Do you care to play again?", "Play Again?", 4}};
        QCOMPARE(run.dialogs.shown, expected);
        // The result shows with the tallies untouched; they rise before the question.
        QCOMPARE(seen, (QStringList{final + " 0|0|0", final + " " + tallies}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", sound, "NewGame.Wav"}));
        // Yes: a new game, with the tallies and scores kept.
        QCOMPARE(ui.lblXWins->text() + "|" + ui.lblOWins->text() + "|" + ui.lblTie->text(),
                 tallies);
        QCOMPARE(ui.lblGame->text() + ui.lblMove->text(), QStringLiteral("21"));
        QCOMPARE(run.window->board().pieces(), 0);
        QCOMPARE(ui.lblCurrentScore->text(), QStringLiteral("0"));
    }

    void newGameMidGameKeepsTallies()
    {
        GameRun run;
        run.start();
        run.click({1, 4, 2, 5, 3, 1, 2}); // X wins, Yes, two more moves
        QTest::mouseClick(run.ui().cmdNew, Qt::LeftButton);
        run.ui().mnuNew->trigger();
        QCOMPARE(run.ui().lblGame->text() + run.ui().lblMove->text(), QStringLiteral("41"));
        QCOMPARE(run.window->board().pieces(), 0);
        QCOMPARE(run.ui().lblXWins->text(), QStringLiteral("1"));
    }

    // Each way out, and whether it runs the high-score step (which creates the file).
    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("highScores");
        QTest::newRow("No to play again") << "no" << true;
        QTest::newRow("Quit button") << "quit" << true;
        QTest::newRow("Exit menu") << "exit" << true;
        QTest::newRow("title bar close") << "close" << false;
    }
    void waysOut()
    {
        QFETCH(QString, way);
        QFETCH(bool, highScores);
        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        if (way == "no") {
            run.dialogs.answers = {dz::vbOK, dz::vbNo};
            run.click({1, 4, 2, 5, 3});
        } else if (way == "quit") {
            QTest::mouseClick(run.ui().cmdQuit, Qt::LeftButton);
        } else if (way == "exit") {
            run.ui().mnuFileExit->trigger();
        } else {
            run.window->close();
        }
        QVERIFY(run.window->unloaded());
        QCOMPARE(run.sound.played.count("EndProgram.Wav"), 1);
        QCOMPARE(run.sound.played.last(), QStringLiteral("EndProgram.Wav"));
        QCOMPARE(QFileInfo::exists(run.ctx.filesFolder + "/HighScore.dat"), highScores);
        // Unloaded from inside its own click: a click still queued must touch nothing.
        const int pieces = run.window->board().pieces();
        qint16 cell = 7;
        run.window->imgBoard_Click(cell);
        QCOMPARE(run.window->board().pieces(), pieces);
        GameRun::settle();
        QVERIFY(!run.window);
    }
};

QTEST_MAIN(TestTurnFlow)
#include "test_turn_flow.moc"
