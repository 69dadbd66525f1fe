// The turn flow and the end of game through the real main window, two players.
#include <QTest>

#include "support/game_run.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

namespace
{

ShownMessage box(const char* text, const char* title, int style)
{
    return {QStringLiteral("msgbox"), QString::fromUtf8(text), QString::fromUtf8(title), style};
}
const ShownMessage playAgain = box("Do you care to play again?", "Play Again?", 4);

} // namespace

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    void freshStartIsTwoPlayerWithoutSound()
    {
        GameRun run;
        run.start();
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("1"));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("1"));
        QCOMPARE(run.ui().lblLevel->text(), QString());
        QCOMPARE(run.ui().lblHighScore->text(), QStringLiteral("0"));
        run.click({5, 1, 9});
        QCOMPARE(run.window->board().picture(), QStringLiteral("O..|.X.|..X"));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("4"));
        QCOMPARE(run.window->MoveNumber(), 4);
        QVERIFY(run.sound.played.isEmpty());
    }

    void gameEnds_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("announcement");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("finalBoard");
        QTest::addColumn<QString>("finalMove");
        QTest::addColumn<QStringList>("tallies"); // X, O, ties

        QTest::newRow("X takes the top row") << QList<int>{1, 4, 2, 5, 3} << "Player X Wins!"
                                             << "We have a Winner"
                                             << "PlayerWin.Wav"
                                             << "XXX|OO.|..."
                                             << "6" << QStringList{"1", "0", "0"};
        QTest::newRow("O wins and plays the computer's sound")
            << QList<int>{1, 4, 2, 5, 9, 6} << "Player O Wins!"
            << "We have a Winner"
            << "ComputerWin.Wav"
            << "XX.|OOO|..X"
            << "7" << QStringList{"0", "1", "0"};
        QTest::newRow("ninth move completes a line: a win, not a tie")
            << QList<int>{1, 2, 3, 5, 8, 4, 6, 7, 9} << "Player X Wins!"
            << "We have a Winner"
            << "PlayerWin.Wav"
            << "XOX|OOX|OXX"
            << "10" << QStringList{"1", "0", "0"};
        QTest::newRow("full board without a line")
            << QList<int>{1, 2, 3, 5, 4, 6, 8, 7, 9} << "Yeap, another game for the cats!"
            << "Tie Game"
            << "TieGame.Wav"
            << "XOX|XOO|OXX"
            << "10" << QStringList{"0", "0", "1"};
    }
    void gameEnds()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, announcement);
        QFETCH(QString, title);
        QFETCH(QString, sound);
        QFETCH(QString, finalBoard);
        QFETCH(QString, finalMove);
        QFETCH(QStringList, tallies);

        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        // What the user sees while each box is up.
        QStringList seen;
        run.dialogs.onShow = [&](const ShownMessage&) {
            auto& ui = run.ui();
            seen << QStringLiteral("%1 %2 %3 %4|%5 %6 %7")
                        .arg(run.window->board().picture(), ui.lblMove->text(),
                             run.window->MoveNumber() % 2 ? "X" : "O", ui.lblXWins->text(),
                             ui.lblOWins->text(), ui.lblTie->text(), ui.lblGame->text());
        };
        for (int cell : clicks)
            run.click({cell});

        const QList<ShownMessage> expected{{"msgbox", announcement, title, 64}, playAgain};
        QCOMPARE(run.dialogs.shown, expected);
        const QString before = QStringLiteral("%1 %2 %3 0|0 0 1")
                                   .arg(finalBoard, finalMove, finalMove.toInt() % 2 ? "X" : "O");
        const QString after = QStringLiteral("%1 %2 %3 %4|%5 %6 1")
                                  .arg(finalBoard, finalMove, finalMove.toInt() % 2 ? "X" : "O",
                                       tallies[0], tallies[1], tallies[2]);
        // The result is shown with the tallies untouched; they rise before the question.
        QCOMPARE(seen, (QStringList{before, after}));

        QCOMPARE(run.sound.played,
                 (QStringList{"NewGame.Wav", sound, "NewGame.Wav"})); // Yes: the next game
        auto& ui = run.ui();
        QCOMPARE((QStringList{ui.lblXWins->text(), ui.lblOWins->text(), ui.lblTie->text()}),
                 tallies);
        QCOMPARE(ui.lblGame->text(), QStringLiteral("2"));
        QCOMPARE(ui.lblMove->text(), QStringLiteral("1"));
        QCOMPARE(run.window->board().pieces(), 0);
        QCOMPARE(ui.lblCurrentScore->text(), QStringLiteral("0"));
    }

    void occupiedCellOnlySoundsTheError()
    {
        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        run.click({5, 5});
        QCOMPARE(run.window->board().picture(), QStringLiteral("...|.X.|..."));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("2"));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", "Error.Wav"}));
        run.ctx.settings.SoundOn = false;
        run.click({5});
        QCOMPARE(run.sound.played.size(), 2);
    }

    void newGameMidGameKeepsTallies()
    {
        GameRun run;
        run.start();
        run.click({1, 4, 2, 5, 3}); // X wins, Yes
        run.click({1, 2});
        QTest::mouseClick(run.ui().cmdNew, Qt::LeftButton);
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("3"));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("1"));
        QCOMPARE(run.window->board().pieces(), 0);
        QCOMPARE(run.ui().lblXWins->text(), QStringLiteral("1"));
        run.ui().mnuNew->trigger();
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("4"));
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
            run.dialogs.answerNext(dz::vbOK);
            run.dialogs.answerNext(dz::vbNo);
            run.click({1, 4, 2, 5, 3});
        } else if (way == "quit") {
            QTest::mouseClick(run.ui().cmdQuit, Qt::LeftButton);
        } else if (way == "exit") {
            run.ui().mnuFileExit->trigger();
        } else {
            run.window->close();
        }
        QVERIFY(run.window->unloaded());
        QCOMPARE(run.sound.played.last(), QStringLiteral("EndProgram.Wav"));
        QCOMPARE(run.sound.played.count("EndProgram.Wav"), 1);
        QCOMPARE(QFileInfo::exists(run.ctx.filesFolder + "/HighScore.dat"), highScores);
        GameRun::settle();
        QVERIFY(!run.window); // destroyed once closed
    }

    // The main window may be unloaded from inside its own click; clicks still queued
    // for it must find nothing to touch.
    void clicksAfterUnloadAreIgnored()
    {
        GameRun run;
        run.start();
        run.dialogs.answerNext(dz::vbOK);
        run.dialogs.answerNext(dz::vbNo);
        run.click({1, 4, 2, 5, 3});
        QVERIFY(run.window->unloaded());
        qint16 cell = 7;
        run.window->imgBoard_Click(cell);
        QCOMPARE(run.window->board().pieces(), 5);
        GameRun::settle();
        QVERIFY(!run.window);
    }

    void startupBestScoreFromTheStoredList_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("best");
        QTest::newRow("stored list")
            << "HighScore.dat" << QByteArray("Ann\r\n102.5\r\nBo\r\n3\r\n") << "102.5";
        QTest::newRow("name in another letter case")
            << "highscore.DAT" << QByteArray("Ann\r\n7\r\n") << "7";
        QTest::newRow("no file") << "" << QByteArray() << "0";
    }
    void startupBestScoreFromTheStoredList()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, best);
        GameRun run;
        if (!fileName.isEmpty())
            run.writeFile(fileName, content);
        run.start();
        QCOMPARE(run.ui().lblHighScore->text(), best);
    }
};

QTEST_MAIN(TestTurnFlow)
#include "test_turn_flow.moc"
