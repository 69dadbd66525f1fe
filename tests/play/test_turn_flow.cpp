// The turn flow and the end of game through the real main window: the boxes in order
// with their titles and owner, what the window shows meanwhile, tallies, scores, sounds.
#include <QAccessible>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "support/game_run.h"
#include "support/test_main.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

namespace
{

QString accessible(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(w)->text(what);
}

bool isOpen(const char* className)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(className))
            return true;
    return false;
}

} // namespace

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
        run.click({5, 1, 5}); // the third finds its cell taken
        QVERIFY(run.sound.played.isEmpty());
        // A double-click is one move: its second press is no click on the new piece.
        run.ctx.settings.SoundOn = true;
        QTest::mouseClick(run.imgBoard(9), Qt::LeftButton);
        QTest::mouseDClick(run.imgBoard(9), Qt::LeftButton);
        QTest::mouseRelease(run.imgBoard(9), Qt::LeftButton);
        QCOMPARE(run.window->board().picture(), QStringLiteral("O..|.X.|..X"));
        QCOMPARE(ui.lblMove->text() + accessible(ui.imgWhoTurn), QStringLiteral("4O to move"));
        QVERIFY(run.sound.played.isEmpty());
    }

    void gameEnds_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("announcement");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("final"); // board, lblMove, side to move
        QTest::addColumn<QString>("after"); // X|O|ties and the score once the game is over
        const auto row = [](const char* name, const char* level, QList<int> clicks,
                            const char* announcement, const char* sound, const char* final,
                            const char* after) {
            QTest::newRow(name) << level << clicks << announcement << sound << final << after;
        };
        row("X takes the top row; a two-player win scores nothing", "Unbeatable", {1, 4, 2, 5, 3},
            "Player X Wins!", "PlayerWin.Wav", "XXX|OO.|... 6 O", "1|0|0 0");
        row("O wins and plays the computer's sound", "Easy", {1, 4, 2, 5, 9, 6}, "Player O Wins!",
            "ComputerWin.Wav", "XX.|OOO|..X 7 X", "0|1|0 0");
        row("ninth move completes a line: a win, not a tie", "", {1, 2, 3, 5, 8, 4, 6, 7, 9},
            "Player X Wins!", "PlayerWin.Wav", "XOX|OOX|OXX 10 O", "1|0|0 0");
        row("a two-player tie scores by the level", "Easy", {1, 2, 3, 5, 4, 6, 8, 7, 9},
            "Yeap, another game for the cats!", "TieGame.Wav", "XOX|XOO|OXX 10 O", "0|0|1 -0.5");
        row("a tie without a level scores nothing", "", {1, 2, 3, 5, 4, 6, 8, 7, 9},
            "Yeap, another game for the cats!", "TieGame.Wav", "XOX|XOO|OXX 10 O", "0|0|1 0");
    }
    void gameEnds()
    {
        QFETCH(QString, level);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, announcement);
        QFETCH(QString, sound);
        QFETCH(QString, final);
        QFETCH(QString, after);
        GameRun run;
        run.ctx.settings = {false, level, true};
        run.start();
        auto& ui = run.ui();
        QStringList seen; // what the user sees while each box is up
        run.dialogs.onShow = [&](const ShownMessage&) {
            seen << QStringLiteral("%1 %2 %3 %4|%5|%6 %7")
                        .arg(run.window->board().picture(), ui.lblMove->text(),
                             accessible(ui.imgWhoTurn).left(1), ui.lblXWins->text(),
                             ui.lblOWins->text(), ui.lblTie->text(), ui.lblCurrentScore->text());
        };
        run.click(clicks);
        const QString title = sound == "TieGame.Wav" ? "Tie Game" : "We have a Winner";
        QCOMPARE(run.dialogs.shown,
                 (QList<ShownMessage>{
                     {"msgbox", announcement, title, 64, run.window},
                     {"msgbox", "Do you care to play again?", "Play Again?", 4, run.window}}));
        // The result shows with the tallies untouched; they rise before the question.
        QCOMPARE(seen, (QStringList{final + " 0|0|0 0", final + " " + after}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", sound, "NewGame.Wav"}));
        // Yes: a new game, with the tallies and scores kept.
        QCOMPARE(ui.lblGame->text() + ui.lblMove->text() + accessible(ui.imgWhoTurn),
                 QStringLiteral("21X to move"));
        QCOMPARE(ui.lblXWins->text() + "|" + ui.lblOWins->text() + "|" + ui.lblTie->text() + " " +
                     ui.lblCurrentScore->text(),
                 after);
        QCOMPARE(run.window->board().pieces(), 0);
    }

    void onePlayer_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("seen"); // board and lblMove at the first box, or now
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("scores"); // current|best
        QTest::newRow("one click places both pieces")
            << "Unbeatable" << QList<double>{} << QList<int>{1} << "X..|.O.|... 3" << ""
            << "0|0";
        QTest::newRow("no reply for a level outside the four names")
            << "unbeatable" << QList<double>{} << QList<int>{1} << "X..|...|... 2" << ""
            << "0|0";
        // Easy plays 5, 3, 7 and wins inside its own move.
        QTest::newRow("computer wins at Easy")
            << "Easy" << QList<double>{0.5, 0.25, 0.75} << QList<int>{1, 2, 4} << "XXO|XO.|O.. 7"
            << "You have faced Defeat" << "-1|0";
        // X 1, O 5, X 6; the early corner draws 7; X 3, O blocks 2; X wins with 9.
        QTest::newRow("human beats Unbeatable")
            << "Unbeatable" << QList<double>{0.67} << QList<int>{1, 6, 3, 9} << "XOX|.OX|O.X 8"
            << "We have a Winner" << "100|100";
        // Opposite corners answered with side 2; then blocks until the board is full.
        QTest::newRow("tie at Unbeatable")
            << "Unbeatable" << QList<double>{0.125} << QList<int>{1, 9, 8, 3, 4} << "XOX|XOO|OXX 10"
            << "Tie Game" << "0.5|0.5";
    }
    void onePlayer()
    {
        QFETCH(QString, level);
        QFETCH(QList<double>, fractions);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, seen);
        QFETCH(QString, title);
        QFETCH(QString, scores);
        GameRun run;
        run.ctx.settings = {true, level, false};
        run.random.fractions = fractions;
        run.start();
        QStringList boards;
        const auto look = [&] {
            boards << run.window->board().picture() + " " + run.ui().lblMove->text();
        };
        run.dialogs.onShow = [&](const ShownMessage&) { look(); };
        run.click(clicks);
        look();
        QCOMPARE(boards.first(), seen);
        QCOMPARE(run.dialogs.shown.value(0).title, title);
        QCOMPARE(run.ui().lblCurrentScore->text() + "|" + run.ui().lblHighScore->text(), scores);
    }

    // Confirmed while O is to move: the human places that O, the computer replies from
    // X's next move on, and nothing else in the window changes. Cancelling changes nothing.
    void optionsMidGame()
    {
        GameRun run;
        run.start();
        run.click({1});
        for (const char* button : {"cmdCancel", "cmdOK"}) {
            QTimer::singleShot(0, [button] {
                QWidget* dialog = QApplication::activeModalWidget();
                QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
            });
            QTest::mouseClick(run.ui().cmdOptions, Qt::LeftButton);
            QCOMPARE(run.ui().lblLevel->text(), button[3] == 'O' ? "Unbeatable" : "");
        }
        QCOMPARE(run.ui().lblMove->text() + run.ui().lblGame->text(), QStringLiteral("21"));
        run.click({2});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|...|..."));
        run.click({9});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|.O.|..X"));
        QVERIFY(run.sound.played.isEmpty());
    }

    // Every command reaches what it opens; New Game keeps the tallies.
    void commands()
    {
        GameRun run;
        run.start();
        run.click({1, 4, 2, 5, 3, 1, 2}); // X wins, Yes, two more moves
        QTest::mouseClick(run.ui().cmdNew, Qt::LeftButton);
        run.ui().mnuNew->trigger();
        QCOMPARE(run.ui().lblGame->text() + run.ui().lblMove->text() + run.ui().lblXWins->text(),
                 QStringLiteral("411"));
        QCOMPARE(run.window->board().pieces(), 0);
        const std::pair<QAction*, const char*> opens[] = {
            {run.ui().mnuHelpScoring, "dz::frmScoring"},
            {run.ui().mnuHelpAbout, "dz::frmAbout"},
            {run.ui().mnuEnterTheDraw, "dz::frmContest"},
            {run.ui().mnuOptionsHighScore, "dz::frmHighScore"}};
        for (const auto& [action, window] : opens) {
            QVERIFY2(!isOpen(window), window);
            action->trigger();
            QVERIFY2(isOpen(window), window);
        }
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        run.ui().mnuOptionsOptions->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Each way out, and whether it runs the high-score step: the name box over the
    // window, then the list, which outlives it.
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
        run.dialogs.inputs = {"Zoë"};
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
        const ShownMessage asked{"inputbox", "You made the highscore list!  What's your name?",
                                 "I need your name", 0, run.window};
        QCOMPARE(run.dialogs.shown.contains(asked), highScores);
        QCOMPARE(isOpen("dz::frmHighScore"), highScores);
        QCOMPARE(run.readFile("HighScore.dat").startsWith("Zo\xc3\xab\r\n0\r\n"), highScores);
        // Unloaded from inside its own click: a click still queued must touch nothing.
        const int pieces = run.window->board().pieces();
        qint16 cell = 7;
        run.window->imgBoard_Click(cell);
        QCOMPARE(run.window->board().pieces(), pieces);
        GameRun::settle();
        QVERIFY(!run.window);
    }

    // The list could not be written: the player is told, over the window, and the list
    // shows what the disk holds; the run still ends.
    void failedSaveIsTold()
    {
        GameRun run(true);
        QFile plain(run.ctx.filesFolder.path()); // a file where the folder should be
        QVERIFY(plain.open(QIODevice::WriteOnly));
        run.start();
        run.ui().mnuFileExit->trigger();
        QCOMPARE(run.dialogs.shown.size(), 2);
        const ShownMessage told = run.dialogs.shown.last();
        QVERIFY2(told.prompt.contains("HighScore.dat") && told.style == dz::vbExclamation &&
                     told.owner == run.window,
                 qPrintable(told.prompt));
        QVERIFY(isOpen("dz::frmHighScore") && run.window->unloaded());
    }

    // Digits play as clicks do (the keypad's by their place), while a button has the
    // focus; screen readers hear the cells and what each counter counts.
    void keyboardAndScreenReaders()
    {
        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), run.ui().cmdNew);
        QWidget* focus = QApplication::focusWidget();
        const Qt::KeyboardModifier pad = Qt::KeypadModifier, none = Qt::NoModifier;
        for (auto [key, modifier] : {std::pair{Qt::Key_7, pad}, {Qt::Key_4, none},
                                     {Qt::Key_4, Qt::AltModifier}, {Qt::Key_3, pad},
                                     {Qt::Key_0, none}, {Qt::Key_9, none}})
            QTest::keyClick(focus, key, modifier);
        auto& ui = run.ui();
        QCOMPARE(run.window->board().picture(), QStringLiteral("X..|O..|..X"));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", "Error.Wav"}));
        QCOMPARE(accessible(ui.imgBoard_1) + "; " + accessible(ui.imgBoard_4) + "; " +
                     accessible(ui.imgBoard_5),
                 QStringLiteral("Cell 1, X; Cell 4, O; Cell 5, empty"));
        QCOMPARE(accessible(ui.lblMove) + ": " + accessible(ui.lblMove, QAccessible::Description),
                 QStringLiteral("4: Move number"));
        QVERIFY(ui.imgBoard_7->toolTip().contains("1 on the keypad"));
        QTest::keyClick(focus, Qt::Key_Space); // the focused New Game button
        QCOMPARE(ui.lblGame->text(), QStringLiteral("2"));
    }
};

DZ_TEST(TestTurnFlow)
#include "test_turn_flow.moc"
