// The turn flow and the end of game through the real main window: the boxes in order with their
// titles and owner, what the window shows meanwhile, tallies, scores, sounds; the commands.
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "support/game_run.h"

// The board, the move, the side to move, the tallies X, O and ties, the current and the best
// score, as the window shows them.
static QString Seen(GameRun& run)
{
    auto& ui = run.ui();
    QString seen = run.window->board().picture() + u' ' + ui.lblMove->text() + u' ' +
                   GameRun::Spoken(ui.imgWhoTurn).left(1);
    for (QLabel* label : {ui.lblXWins, ui.lblOWins, ui.lblTie, ui.lblCurrentScore, ui.lblHighScore})
        seen += u' ' + label->text();
    return seen;
}

// One player or two, the level, the computer's draws and the clicks; the result's message,
// title and sound; what the window shows while the result is up and while the question is.
using GameRow = std::tuple<const char*, bool, const char*, QList<double>, QList<int>, const char*,
                           const char*, const char*, const char*, const char*>;

// A control (frmMain: the window itself), the slot called, and the window it opens (none: the
// run ends).
using CommandRow = std::tuple<const char*, const char*, const char*>;

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    // Two players and no sound until Options is confirmed; the best score as stored; a taken
    // cell only sounds; the second press of a double-click is no move; each cell shows its
    // piece's picture from its corner and says what it holds; digits place a piece while a
    // button has the focus, the keypad's by their place on it.
    void freshStart()
    {
        GameRun run;
        Write(run.ctx.filesFolder + "/highscore.DAT", "Ann\r\n102.5\r\n"); // any letter case
        run.start();
        auto& ui = run.ui();
        QCOMPARE(ui.lblGame->text() + u'|' + ui.lblLevel->text(), "1|");
        run.click({1, 4, 4});
        run.ctx.settings.SoundOn = true;
        run.click({1, 9});
        QTest::mouseDClick(ui.imgBoard_9, Qt::LeftButton);
        QCOMPARE(Seen(run), "X..|O..|..X 4 O 0 0 0 0 102.5");
        QCOMPARE(run.sound.played, QStringList{"Error.Wav"});
        QCOMPARE(ui.imgPiece_1->pixmap().deviceIndependentSize(), QSizeF(57, 57));
        QCOMPARE(ui.imgPiece_2->pixmap().deviceIndependentSize(), QSizeF(57, 49));
        QImage expected = ui.imgBoard_5->grab().toImage(); // empty: nothing drawn
        QCOMPARE(expected.pixel(28, 28), expected.pixel(0, 0));
        QPainter(&expected).drawPixmap(0, 0, ui.imgPiece_2->pixmap());
        QCOMPARE(ui.imgBoard_4->grab().toImage(), expected);
        QCOMPARE(GameRun::Spoken(ui.imgBoard_4) + u'|' + GameRun::Spoken(ui.imgBoard_5),
                 "Cell 4, O|Cell 5, empty");
        QCOMPARE(GameRun::Spoken(ui.lblTie, QAccessible::Description), "Ties");
        QCOMPARE(ui.imgBoard_8->toolTip(), "Cell 8: key 8, or 2 on the keypad");
        const QImage frame = ui.Frame2->grab().toImage(); // its line stops short of its caption
        for (int y = 0; y < 12; ++y)
            QCOMPARE(frame.pixel(6, y), frame.pixel(6, 0));
        ui.cmdNew->click();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), ui.cmdNew);
        // Cells 3, 9, 6, 9 again and 4, then three keys for no cell (cell 1 stays empty).
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_9, Qt::KeypadModifier},    {Qt::Key_9, {}},
            {Qt::Key_6, Qt::KeypadModifier},    {Qt::Key_3, Qt::KeypadModifier},
            {Qt::Key_4, Qt::KeypadModifier},    {Qt::Key_2, Qt::AltModifier},
            {Qt::Key_Plus, Qt::KeypadModifier}, {Qt::Key_0, {}}};
        for (const auto& [key, modifiers] : keys)
            QTest::keyClick(ui.cmdNew, key, modifiers);
        QCOMPARE(run.window->board().picture(), "..X|O.X|..O");
    }

    // Sound on; every game answered Yes: a new game follows.
    void gameEnds_data()
    {
        const GameRow rows[] = {
            {"X wins two players' game, which scores nothing", false, "Unbeatable", QList<double>{},
             QList<int>{1, 4, 2, 5, 3}, "Player X Wins!", "We have a Winner", "PlayerWin.Wav",
             "XXX|OO.|... 6 O 0 0 0 0 0", "XXX|OO.|... 6 O 1 0 0 0 0"},
            {"O wins two players' game", false, "Easy", QList<double>{},
             QList<int>{1, 4, 2, 5, 9, 6}, "Player O Wins!", "We have a Winner", "ComputerWin.Wav",
             "XX.|OOO|..X 7 X 0 0 0 0 0", "XX.|OOO|..X 7 X 0 1 0 0 0"},
            {"a tie, scored at the level", false, "Easy", QList<double>{},
             QList<int>{1, 2, 3, 5, 4, 6, 8, 7, 9}, "Yeap, another game for the cats!", "Tie Game",
             "TieGame.Wav", "XOX|XOO|OXX 10 O 0 0 0 0 0", "XOX|XOO|OXX 10 O 0 0 1 -0.5 0"},
            {"the computer wins from cell 1 in its move", true, "Easy", QList<double>{0, 0.5, 0.99},
             QList<int>{2, 3, 6}, "The computer has defeated you!", "You have faced Defeat",
             "ComputerWin.Wav", "OXX|.OX|..O 7 X 0 0 0 0 0", "OXX|.OX|..O 7 X 0 1 0 -1 0"},
            {"the player wins at Unbeatable", true, "Unbeatable", QList<double>{0.67},
             QList<int>{1, 6, 3, 9}, "Congradulations you won!", "We have a Winner",
             "PlayerWin.Wav", "XOX|.OX|O.X 8 O 0 0 0 0 0", "XOX|.OX|O.X 8 O 1 0 0 100 100"},
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
        QCOMPARE(run.dialogs.shown, (QList<ShownMessage>{{message, title, 64, run.window},
                                                         {"Do you care to play again?",
                                                          "Play Again?", 4, run.window, true}}));
        QCOMPARE(shown, (QStringList{atMessage, atQuestion}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", sound, "NewGame.Wav"}));
        QCOMPARE(Seen(run).left(16) + run.ui().lblGame->text(), "...|...|... 1 X 2");
    }

    // Options confirmed while O is to move: the human places that O, and the computer replies
    // from X's next move on. Quit asks the name over the window, and a save that fails is told
    // there; a click still queued when the window is gone touches nothing.
    void optionsMidGameAndQuit()
    {
        GameRun run;
        run.ctx.filesFolder = run.dir.filePath("plain");
        Write(run.ctx.filesFolder, ""); // a file where the folder should be
        run.start();
        run.click({1});
        QTimer::singleShot(0, [] {
            QApplication::activeModalWidget()->findChild<QPushButton*>("cmdOK")->click();
        });
        run.ui().mnuOptionsOptions->trigger();
        QCOMPARE(run.ui().lblLevel->text(), "Unbeatable");
        run.click({2, 9});
        QCOMPARE(Seen(run), "XO.|.O.|..X 5 X 0 0 0 0 0");
        run.ui().cmdQuit->click();
        const QString told = "The high scores could not be saved in \u201c" + run.ctx.filesFolder +
                             "/HighScore.dat\u201d: the folder cannot be made.";
        QCOMPARE(run.dialogs.shown,
                 (QList<ShownMessage>{{"You made the highscore list!  What's your name?",
                                       "I need your name", 0, run.window},
                                      {told, "DirIziVur", vbExclamation, run.window}}));
        QVERIFY(run.window->unloaded());
        qint16 cell = 7;
        run.window->imgBoard_Click(cell);
        QCOMPARE(run.window->board().pieces(), 4);
    }

    // Each command opens its window, the About button and the menus alike, at a fixed size, and
    // the window's OK closes it; Exit and the close button end the run.
    void commands_data()
    {
        const CommandRow rows[] = {
            {"mnuHelpAbout", "trigger", "dz::frmAbout"},
            {"cmdAbout", "click", "dz::frmAbout"},
            {"mnuOptionsHighScore", "trigger", "dz::frmHighScore"},
            {"mnuHelpScoring", "trigger", "dz::frmScoring"},
            {"mnuEnterTheDraw", "trigger", "dz::frmContest"},
            {"mnuFileExit", "trigger", ""},
            {"frmMain", "close", ""},
        };
        AddRows(rows);
    }
    void commands()
    {
        const auto& [control, slot, window] = Row<CommandRow>();
        GameRun run;
        run.start();
        QMetaObject::invokeMethod(GameRun::Find<QObject>(run.window, control), slot);
        GameRun::settle();
        QWidget* opened = *window ? GameRun::Opened(window) : nullptr;
        QVERIFY(*window ? opened != nullptr : !run.window || run.window->unloaded());
        QVERIFY(!opened || opened->minimumSize() == opened->maximumSize()); // not to be resized
        if (opened) // and its OK button closes it
            GameRun::Find<QPushButton>(opened, "cmdOK")->click();
        QVERIFY(!opened || !opened->isVisible());
    }
};

QTEST_MAIN(TestTurnFlow)
#include "test_turn_flow.moc"
