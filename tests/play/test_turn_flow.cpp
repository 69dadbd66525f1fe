// The turn flow and the end of game through the real main window: the boxes in order with their
// titles and owner, what the window shows meanwhile, tallies, scores, sounds.
#include <QAccessible>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "kit/show_window.h"
#include "support/game_run.h"
#include "support/rows.h"
#include "windows/frmAbout.h"

using dz::test::GameRun;
using dz::test::Row;
using dz::test::ShownMessage;

namespace
{

QString Spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

bool IsOpen(const char* className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [&](QWidget* w) { return w->isVisible() && w->inherits(className); });
}

// The board, the move, the side to move, the tallies X, O and ties and the current score, as
// the window shows them.
QString Seen(GameRun& run)
{
    auto& ui = run.ui();
    return QStringList{run.window->board().picture(), ui.lblMove->text(),
                       Spoken(ui.imgWhoTurn).left(1), ui.lblXWins->text(),
                       ui.lblOWins->text(),           ui.lblTie->text(),
                       ui.lblCurrentScore->text()}
        .join(u' ');
}

struct KeyRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
    const char* board;
};

// Two players at a level, sound on: what the window shows at the result and at the question.
struct EndRow {
    const char* name;
    const char* level;
    QList<int> clicks;
    const char* message;
    const char* title;
    const char* sound;
    const char* atMessage;
    const char* atQuestion;
};

// One player: the computer's reply inside the human's click, its win inside its own.
struct OnePlayerRow {
    const char* name;
    const char* level;
    QList<double> draws;
    QList<int> clicks;
    const char* atMessage; // board and move
    const char* title;
    const char* score;
    const char* best;
};

} // namespace

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    // Two players and no sound until Options is confirmed; the best score as stored; a taken
    // cell only sounds; the second press of a double-click is no move.
    void freshStart()
    {
        GameRun run;
        run.write("highscore.DAT", "Ann\r\n102.5\r\n"); // any letter case is found
        run.start();
        auto& ui = run.ui();
        QCOMPARE(ui.lblGame->text(), "1");
        QCOMPARE(ui.lblLevel->text(), "");
        QCOMPARE(ui.lblHighScore->text(), "102.5");
        run.click({1, 4, 4});
        QCOMPARE(Seen(run), "X..|O..|... 3 X 0 0 0 0");
        QVERIFY(run.sound.played.isEmpty());
        run.ctx.settings.SoundOn = true;
        run.click({1, 9});
        QTest::mouseDClick(run.imgBoard(9), Qt::LeftButton);
        QCOMPARE(Seen(run), "X..|O..|..X 4 O 0 0 0 0");
        QCOMPARE(run.sound.played, QStringList{"Error.Wav"});
    }

    // Digits place a piece while a button has the focus; the keypad's by their place on it.
    void keys_data()
    {
        const KeyRow rows[] = {
            {"digit 1", Qt::Key_1, Qt::NoModifier, "X..|...|..."},
            {"digit 9", Qt::Key_9, Qt::NoModifier, "...|...|..X"},
            {"keypad 7 is the top left", Qt::Key_7, Qt::KeypadModifier, "X..|...|..."},
            {"keypad 4 is the middle left", Qt::Key_4, Qt::KeypadModifier, "...|X..|..."},
            {"keypad 3 is the bottom right", Qt::Key_3, Qt::KeypadModifier, "...|...|..X"},
            {"no digit with Alt", Qt::Key_5, Qt::AltModifier, "...|...|..."},
            {"digit 0 is no cell", Qt::Key_0, Qt::NoModifier, "...|...|..."},
        };
        dz::test::AddRows(rows);
    }
    void keys()
    {
        const KeyRow& row = Row<KeyRow>();
        GameRun run;
        run.start();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), run.ui().cmdNew);
        QTest::keyClick(run.ui().cmdNew, row.key, row.modifier);
        QCOMPARE(run.window->board().picture(), row.board);
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
        const QImage empty = run.imgBoard(5)->grab().toImage();
        QImage nothing = empty;
        nothing.fill(empty.pixel(0, 0));
        QCOMPARE(empty, nothing);
        for (const auto& [cell, piece] : {std::pair{1, ui.imgPiece_1}, {4, ui.imgPiece_2}}) {
            QImage expected = empty;
            QPainter(&expected).drawPixmap(0, 0, piece->pixmap());
            QCOMPARE(run.imgBoard(cell)->grab().toImage(), expected);
        }
        QCOMPARE(Spoken(ui.imgBoard_4), "Cell 4, O");
        QCOMPARE(Spoken(ui.imgBoard_5), "Cell 5, empty");
        QCOMPARE(Spoken(ui.imgWhoTurn), "X to move");
        QCOMPARE(Spoken(ui.lblTie, QAccessible::Description), "Ties");
        QCOMPARE(ui.imgBoard_7->toolTip(), "Cell 7: key 7, or 1 on the keypad");
    }

    void gameEnds_data()
    {
        const EndRow rows[] = {
            {"X wins; no score for two players",
             "Unbeatable",
             {1, 4, 2, 5, 3},
             "Player X Wins!",
             "We have a Winner",
             "PlayerWin.Wav",
             "XXX|OO.|... 6 O 0 0 0 0",
             "XXX|OO.|... 6 O 1 0 0 0"},
            {"O wins",
             "Easy",
             {1, 4, 2, 5, 9, 6},
             "Player O Wins!",
             "We have a Winner",
             "ComputerWin.Wav",
             "XX.|OOO|..X 7 X 0 0 0 0",
             "XX.|OOO|..X 7 X 0 1 0 0"},
            {"the ninth move wins",
             "",
             {1, 2, 3, 5, 8, 4, 6, 7, 9},
             "Player X Wins!",
             "We have a Winner",
             "PlayerWin.Wav",
             "XOX|OOX|OXX 10 O 0 0 0 0",
             "XOX|OOX|OXX 10 O 1 0 0 0"},
            {"a tie, scored at the level",
             "Easy",
             {1, 2, 3, 5, 4, 6, 8, 7, 9},
             "Yeap, another game for the cats!",
             "Tie Game",
             "TieGame.Wav",
             "XOX|XOO|OXX 10 O 0 0 0 0",
             "XOX|XOO|OXX 10 O 0 0 1 -0.5"},
        };
        dz::test::AddRows(rows);
    }
    void gameEnds()
    {
        const EndRow& row = Row<EndRow>();
        GameRun run;
        run.ctx.settings = {false, row.level, true};
        run.start();
        QStringList shown; // what the window shows while each box is up
        run.dialogs.onShow = [&](const ShownMessage&) { shown << Seen(run); };
        run.click(row.clicks);
        QCOMPARE(run.dialogs.shown,
                 (QList<ShownMessage>{
                     {"msgbox", row.message, row.title, 64, run.window},
                     {"msgbox", "Do you care to play again?", "Play Again?", 4, run.window}}));
        QCOMPARE(shown, (QStringList{row.atMessage, row.atQuestion}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", row.sound, "NewGame.Wav"}));
        QCOMPARE(run.window->board().picture() + u' ' + run.ui().lblMove->text() + u' ' +
                     run.ui().lblGame->text(),
                 "...|...|... 1 2");
    }

    void onePlayer_data()
    {
        const OnePlayerRow rows[] = {
            {"the computer wins",
             "Easy",
             {0.5, 0.25, 0.75},
             {1, 2, 4},
             "XXO|XO.|O.. 7",
             "You have faced Defeat",
             "-1",
             "0"},
            {"the player wins at Unbeatable",
             "Unbeatable",
             {0.67},
             {1, 6, 3, 9},
             "XOX|.OX|O.X 8",
             "We have a Winner",
             "100",
             "100"},
            {"a tie at Unbeatable",
             "Unbeatable",
             {0.125},
             {1, 9, 8, 3, 4},
             "XOX|XOO|OXX 10",
             "Tie Game",
             "0.5",
             "0.5"},
        };
        dz::test::AddRows(rows);
    }
    void onePlayer()
    {
        const OnePlayerRow& row = Row<OnePlayerRow>();
        GameRun run;
        run.ctx.settings = {true, row.level, false};
        run.random.fractions = row.draws;
        run.start();
        QStringList shown;
        run.dialogs.onShow = [&](const ShownMessage& m) {
            shown << run.window->board().picture() + u' ' + run.ui().lblMove->text() + u' ' +
                         m.title;
        };
        run.click(row.clicks);
        QCOMPARE(shown.value(0), row.atMessage + QStringLiteral(" ") + row.title);
        QCOMPARE(run.ui().lblCurrentScore->text(), row.score);
        QCOMPARE(run.ui().lblHighScore->text(), row.best);
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
        QCOMPARE(Seen(run), "XO.|.O.|..X 5 X 1 0 0 0");
        QVERIFY(run.sound.played.isEmpty());
        ui.cmdNew->click();
        ui.mnuNew->trigger();
        QCOMPARE(Seen(run) + u' ' + ui.lblGame->text(), "...|...|... 1 X 1 0 0 0 4");
        for (const auto& [action, window] : {std::pair{ui.mnuHelpScoring, "dz::frmScoring"},
                                             {ui.mnuHelpAbout, "dz::frmAbout"},
                                             {ui.mnuEnterTheDraw, "dz::frmContest"},
                                             {ui.mnuOptionsHighScore, "dz::frmHighScore"}}) {
            QVERIFY2(!IsOpen(window), window);
            action->trigger();
            QVERIFY2(IsOpen(window), window);
        }
        dz::OpenWindow<dz::frmAbout>()->close();
        ui.cmdAbout->click();
        QVERIFY(IsOpen("dz::frmAbout"));
    }

    // Each way out, and whether it runs the high-score step: the name box over the window,
    // then the list, which outlives it; a failed save is told the same way.
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
        run.dialogs.inputs = {QString::fromUtf16(u"Zo\u00EB")};
        run.dialogs.answers = {dz::vbOK, dz::vbNo};
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
        QCOMPARE(IsOpen("dz::frmHighScore"), highScores);
        QCOMPARE(run.read("HighScore.dat").startsWith("Zo\xc3\xab\r\n0\r\n"),
                 highScores && way != "unsaved");
        const ShownMessage told{"msgbox",
                                "The high scores could not be saved in \u201c" +
                                    run.ctx.filesFolder +
                                    "/HighScore.dat\u201d: the folder cannot be made.",
                                "", dz::vbExclamation, run.window};
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
