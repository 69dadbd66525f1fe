// The turn flow and the end of game through the real main window: the boxes in order with their
// titles and owner, what the window shows meanwhile, tallies, scores, sounds.
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "support/game_run.h"
#include "windows/frmAbout.h"

// The board, the move, the side to move, the tallies X, O and ties, the current and the best
// score, as the window shows them.
static QString Seen(GameRun& run)
{
    auto& ui = run.ui();
    return QStringList{run.window->board().picture(),
                       ui.lblMove->text(),
                       GameRun::Spoken(ui.imgWhoTurn).left(1),
                       ui.lblXWins->text(),
                       ui.lblOWins->text(),
                       ui.lblTie->text(),
                       ui.lblCurrentScore->text(),
                       ui.lblHighScore->text()}
        .join(u' ');
}

static bool IsOpen(const char* className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [&](QWidget* w) {
        return w->isVisible() && w->inherits(QByteArray("dz::") + className);
    });
}

// One player or two, the level, the computer's draws and the clicks; the result's message,
// title and sound; what the window shows while the result is up and while the question is.
using GameRow = std::tuple<const char*, bool, const char*, QList<double>, QList<int>, const char*,
                           const char*, const char*, const char*, const char*>;

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    // Two players and no sound until Options is confirmed; the best score as stored; a taken
    // cell only sounds; the second press of a double-click is no move; digits place a piece
    // while a button has the focus, the keypad's by their place on it.
    void freshStart()
    {
        GameRun run;
        run.write("highscore.DAT", "Ann\r\n102.5\r\n"); // any letter case is found
        run.start();
        auto& ui = run.ui();
        QCOMPARE(ui.lblGame->text() + u'|' + ui.lblLevel->text(), "1|");
        run.click({1, 4, 4});
        QCOMPARE(Seen(run), "X..|O..|... 3 X 0 0 0 0 102.5");
        QVERIFY(run.sound.played.isEmpty());
        run.ctx.settings.SoundOn = true;
        run.click({1, 9});
        QTest::mouseDClick(run.imgBoard(9), Qt::LeftButton);
        QCOMPARE(Seen(run), "X..|O..|..X 4 O 0 0 0 0 102.5");
        QCOMPARE(run.sound.played, QStringList{"Error.Wav"});
        ui.cmdNew->click();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), ui.cmdNew);
        const std::pair<Qt::Key, Qt::KeyboardModifier> keys[] = {
            {Qt::Key_7, Qt::KeypadModifier}, // cell 1
            {Qt::Key_9, Qt::NoModifier},     // cell 9
            {Qt::Key_6, Qt::KeypadModifier}, // cell 6
            {Qt::Key_3, Qt::KeypadModifier}, // cell 9 again
            {Qt::Key_4, Qt::KeypadModifier}, // cell 4
            {Qt::Key_2, Qt::AltModifier},    // no cell
            {Qt::Key_0, Qt::NoModifier}};    // no cell
        for (const auto& [key, modifier] : keys)
            QTest::keyClick(ui.cmdNew, key, modifier);
        QCOMPARE(run.window->board().picture(), "X..|O.X|..O");
    }

    // Each cell shows its piece's picture from its top left corner, an empty cell nothing;
    // screen readers hear the cells, the side to move and what a counter counts.
    void cellsShowAndSay()
    {
        GameRun run;
        run.start();
        auto& ui = run.ui();
        run.click({1, 4});
        QCOMPARE(ui.imgPiece_1->pixmap().deviceIndependentSize(), QSizeF(57, 57));
        QCOMPARE(ui.imgPiece_2->pixmap().deviceIndependentSize(), QSizeF(57, 49));
        QCOMPARE(ui.imgPiece_2->pixmap().toImage().pixelColor(0, 0).alpha(), 0);
        const QImage empty = run.imgBoard(5)->grab().toImage();
        QImage nothing = empty;
        nothing.fill(empty.pixel(0, 0));
        QCOMPARE(empty, nothing);
        for (const auto& [cell, piece] : {std::pair{1, ui.imgPiece_1}, {4, ui.imgPiece_2}}) {
            QImage expected = empty;
            QPainter(&expected).drawPixmap(0, 0, piece->pixmap());
            QCOMPARE(run.imgBoard(cell)->grab().toImage(), expected);
        }
        QCOMPARE(GameRun::Spoken(ui.imgBoard_4), "Cell 4, O");
        QCOMPARE(GameRun::Spoken(ui.imgBoard_5), "Cell 5, empty");
        QCOMPARE(GameRun::Spoken(ui.imgWhoTurn), "X to move");
        QCOMPARE(GameRun::Spoken(ui.lblTie, QAccessible::Description), "Ties");
        QCOMPARE(ui.imgBoard_8->toolTip(), "Cell 8: key 8, or 2 on the keypad");
    }

    // Sound on; every game answered Yes: a new game follows.
    void gameEnds_data()
    {
        const GameRow rows[] = {
            {"X wins two players' game, which scores nothing", false, "Unbeatable", List<double>(),
             List<int>(1, 4, 2, 5, 3), "Player X Wins!", "We have a Winner", "PlayerWin.Wav",
             "XXX|OO.|... 6 O 0 0 0 0 0", "XXX|OO.|... 6 O 1 0 0 0 0"},
            {"O wins two players' game", false, "Easy", List<double>(), List<int>(1, 4, 2, 5, 9, 6),
             "Player O Wins!", "We have a Winner", "ComputerWin.Wav", "XX.|OOO|..X 7 X 0 0 0 0 0",
             "XX.|OOO|..X 7 X 0 1 0 0 0"},
            {"a tie, scored at the level", false, "Easy", List<double>(),
             List<int>(1, 2, 3, 5, 4, 6, 8, 7, 9), "Yeap, another game for the cats!", "Tie Game",
             "TieGame.Wav", "XOX|XOO|OXX 10 O 0 0 0 0 0", "XOX|XOO|OXX 10 O 0 0 1 -0.5 0"},
            {"the computer wins within its own move", true, "Easy", List<double>(0.5, 0.25, 0.75),
             List<int>(1, 2, 4), "The computer has defeated you!", "You have faced Defeat",
             "ComputerWin.Wav", "XXO|XO.|O.. 7 X 0 0 0 0 0", "XXO|XO.|O.. 7 X 0 1 0 -1 0"},
            {"the player wins at Unbeatable", true, "Unbeatable", List<double>(0.67),
             List<int>(1, 6, 3, 9), "Congradulations you won!", "We have a Winner", "PlayerWin.Wav",
             "XOX|.OX|O.X 8 O 0 0 0 0 0", "XOX|.OX|O.X 8 O 1 0 0 100 100"},
        };
        AddRows(rows);
    }
    void gameEnds()
    {
        const auto& [name, onePlayer, level, draws, clicks, message, title, sound, atMessage,
                     atQuestion] = Row<GameRow>();
        GameRun run;
        run.ctx.settings = {onePlayer, level, true};
        run.random.fractions = draws;
        run.start();
        QStringList shown;
        run.dialogs.onShow = [&](const ShownMessage&) { shown << Seen(run); };
        run.click(clicks);
        QCOMPARE(run.dialogs.shown, (QList<ShownMessage>{{"msgbox", message, title, 64, run.window},
                                                         {"msgbox", "Do you care to play again?",
                                                          "Play Again?", 4, run.window}}));
        QCOMPARE(shown, (QStringList{atMessage, atQuestion}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", sound, "NewGame.Wav"}));
        QCOMPARE(Seen(run).left(16) + run.ui().lblGame->text(), "...|...|... 1 X 2");
    }

    // Options confirmed while O is to move: the human places that O, and the computer replies
    // from X's next move on; cancelled, nothing changes. New Game keeps the tallies. Every
    // command opens its window.
    void commands()
    {
        GameRun run;
        run.start();
        auto& ui = run.ui();
        run.click({1, 4, 2, 5, 3, 1}); // X wins, Yes, X at 1
        for (const char* button : {"cmdCancel", "cmdOK"}) {
            QTimer::singleShot(0, [button] {
                QApplication::activeModalWidget()->findChild<QPushButton*>(button)->click();
            });
            if (QByteArray(button) == "cmdOK")
                ui.mnuOptionsOptions->trigger();
            else
                ui.cmdOptions->click();
        }
        QCOMPARE(ui.lblLevel->text(), "Unbeatable");
        run.click({2, 9});
        QCOMPARE(Seen(run), "XO.|.O.|..X 5 X 1 0 0 0 0");
        QVERIFY(run.sound.played.isEmpty());
        ui.cmdNew->click();
        ui.mnuNew->trigger();
        QCOMPARE(Seen(run) + u' ' + ui.lblGame->text(), "...|...|... 1 X 1 0 0 0 0 4");
        for (const auto& [action, window] : {std::pair{ui.mnuHelpScoring, "frmScoring"},
                                             {ui.mnuHelpAbout, "frmAbout"},
                                             {ui.mnuEnterTheDraw, "frmContest"},
                                             {ui.mnuOptionsHighScore, "frmHighScore"}}) {
            QVERIFY2(!IsOpen(window), window);
            action->trigger();
            QVERIFY2(IsOpen(window), window);
        }
        OpenWindow<frmAbout>()->close();
        ui.cmdAbout->click();
        QVERIFY(IsOpen("frmAbout"));
    }

    // Each way out, and whether it runs the high-score step: the name box over the window, then
    // the list, which outlives it; a failed save is told the same way.
    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("No to the question") << "no";
        QTest::newRow("Quit") << "quit";
        QTest::newRow("File, Exit") << "exit";
        QTest::newRow("the title bar's close button skips the list") << "close";
        QTest::newRow("a save that fails is told") << "unsaved";
    }
    void waysOut()
    {
        QFETCH(QString, way);
        const bool highScores = way != "close";
        GameRun run(way == "unsaved");
        if (way == "unsaved") { // a file where the folder should be
            QFile plain(run.ctx.filesFolder);
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        run.ctx.settings.SoundOn = true;
        run.dialogs.inputs = {QString::fromUtf16(u"Zo\r\n\u00EB")};
        run.dialogs.answers = {vbOK, vbNo};
        run.start();
        if (way == "no")
            run.click({1, 4, 2, 5, 3});
        else if (way == "quit")
            run.ui().cmdQuit->click();
        else if (way == "close")
            run.window->close();
        else
            run.ui().mnuFileExit->trigger();
        QVERIFY(run.window->unloaded());
        QCOMPARE(run.sound.played.count("EndProgram.Wav"), 1);
        QCOMPARE(run.sound.played.last(), "EndProgram.Wav");
        const ShownMessage asked{"inputbox", "You made the highscore list!  What's your name?",
                                 "I need your name", 0, run.window};
        QCOMPARE(run.dialogs.shown.contains(asked), highScores);
        QCOMPARE(IsOpen("frmHighScore"), highScores);
        QCOMPARE(run.read("HighScore.dat").startsWith("Zo\xc3\xab\r\n0\r\n"),
                 highScores && way != "unsaved");
        const ShownMessage told{"msgbox",
                                "The high scores could not be saved in \u201c" +
                                    run.ctx.filesFolder +
                                    "/HighScore.dat\u201d: the folder cannot be made.",
                                "", vbExclamation, run.window};
        QCOMPARE(run.dialogs.shown.contains(told), way == "unsaved");
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
