// The turn flow and the end of game through the real main window: the boxes in order
// with their titles and owner, what the window shows meanwhile, tallies, scores, sounds.
#include <QAccessible>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "support/game_run.h"
#include "support/test_main.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

static QString spoken(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(w)->text(what);
}

static bool isOpen(const char* className)
{
    const QWidgetList all = QApplication::topLevelWidgets();
    return std::any_of(all.begin(), all.end(), [&](QWidget* w) { return w->isVisible() && w->inherits(className); });
}

// Board, move, side to move, tallies X|O|ties, current score: as the window shows them.
static QString seen(GameRun& run)
{
    auto& u = run.ui();
    return QStringList{run.window->board().picture(), u.lblMove->text(), spoken(u.imgWhoTurn).left(1),
                       u.lblXWins->text() + '|' + u.lblOWins->text() + '|' + u.lblTie->text(),
                       u.lblCurrentScore->text()}
        .join(' ');
}

class TestTurnFlow : public QObject
{
    Q_OBJECT
private slots:
    // Two players and no sound until Options is confirmed; digits play as clicks (the
    // keypad's by their place) while a button has the focus; a taken cell only sounds; a
    // double-click is one move; screen readers hear the cells and the counters.
    void freshStartKeysAndClicks()
    {
        GameRun run;
        run.file("highscore.DAT", "Ann\r\n102.5\r\n"); // any letter case is found
        run.start();
        auto& ui = run.ui();
        QCOMPARE(ui.lblGame->text() + ui.lblMove->text() + "|" + ui.lblLevel->text() + "|" + ui.lblHighScore->text(),
                 QStringLiteral("11||102.5"));
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), ui.cmdNew);
        for (auto [key, modifier] : {std::pair{Qt::Key_7, Qt::KeypadModifier},
                                     {Qt::Key_4, Qt::KeypadModifier},
                                     {Qt::Key_4, Qt::AltModifier},
                                     {Qt::Key_0, Qt::NoModifier}})
            QTest::keyClick(ui.cmdNew, key, modifier);
        QCOMPARE(run.window->board().picture(), QStringLiteral("X..|O..|..."));
        run.click({4}); // taken, and silent
        run.ctx.settings.SoundOn = true;
        QTest::mouseClick(run.imgBoard(9), Qt::LeftButton);
        QTest::mouseDClick(run.imgBoard(9), Qt::LeftButton); // its second press
        QTest::mouseRelease(run.imgBoard(9), Qt::LeftButton);
        QTest::keyClick(ui.cmdNew, Qt::Key_3, Qt::KeypadModifier); // cell 9 again
        QTest::keyClick(ui.cmdNew, Qt::Key_6);
        QCOMPARE(seen(run), QStringLiteral("X..|O.O|..X 5 X 0|0|0 0"));
        const QImage empty = run.imgBoard(5)->grab().toImage();
        QImage nothing = empty;
        nothing.fill(empty.pixel(0, 0));
        QCOMPARE(empty, nothing);                         // an empty cell is drawn as nothing at all
        const auto shows = [&](int cell, QLabel* piece) { // its piece's picture, from its corner
            QImage expected = empty;
            QPainter(&expected).drawPixmap(0, 0, piece->pixmap());
            return run.imgBoard(cell)->grab().toImage() == expected;
        };
        QVERIFY(shows(1, ui.imgPiece_1) && shows(4, ui.imgPiece_2) && !shows(1, ui.imgPiece_2));
        QCOMPARE(ui.imgPiece_1->pixmap().deviceIndependentSize() + ui.imgPiece_2->pixmap().deviceIndependentSize(),
                 QSizeF(57 + 57, 57 + 49));
        QCOMPARE(run.sound.played, QStringList{"Error.Wav"});
        QCOMPARE(spoken(ui.imgBoard_1) + "; " + spoken(ui.imgBoard_4) + "; " + spoken(ui.imgBoard_5),
                 QStringLiteral("Cell 1, X; Cell 4, O; Cell 5, empty"));
        QCOMPARE(spoken(ui.lblMove) + ": " + spoken(ui.lblMove, QAccessible::Description), "5: Move number");
        QVERIFY(ui.imgBoard_7->toolTip().contains("1 on the keypad"));
        QTest::keyClick(ui.cmdNew, Qt::Key_Space); // the focused New Game button
        QCOMPARE(seen(run) + " " + ui.lblGame->text(), QStringLiteral("...|...|... 1 X 0|0|0 0 2"));
    }

    // Two players at a level, sound on: the result, the question, Yes.
    void gameEnds_data()
    {
        QTest::addColumn<QString>("game"); // level|clicks|first box|sound|board, move, side|after
        // clang-format off
        for (const char* game : {
            "Unbeatable|1 4 2 5 3|Player X Wins!|PlayerWin|XXX|OO.|... 6 O|1|0|0 0",    // no score for a win
            "Easy|1 4 2 5 9 6|Player O Wins!|ComputerWin|XX.|OOO|..X 7 X|0|1|0 0",
            "|1 2 3 5 8 4 6 7 9|Player X Wins!|PlayerWin|XOX|OOX|OXX 10 O|1|0|0 0",  // the ninth move wins
            "Easy|1 2 3 5 4 6 8 7 9|Yeap, another game for the cats!|TieGame|XOX|XOO|OXX 10 O|0|0|1 -0.5",
            "|1 2 3 5 4 6 8 7 9|Yeap, another game for the cats!|TieGame|XOX|XOO|OXX 10 O|0|0|1 0"})
            QTest::newRow(game) << QString(game);
        // clang-format on
    }
    void gameEnds()
    {
        QFETCH(QString, game);
        const QStringList f = game.split('|');
        const QString final = f.mid(4, 3).join('|'), after = f.mid(7).join('|');
        GameRun run;
        run.ctx.settings = {false, f[0], true};
        run.start();
        QStringList shown; // what the user sees while each box is up
        run.dialogs.onShow = [&](const ShownMessage&) { shown << seen(run); };
        for (const QString& c : f[1].split(' '))
            run.click({c.toInt()});
        const QString title = f[3] == "TieGame" ? "Tie Game" : "We have a Winner";
        QCOMPARE(run.dialogs.shown,
                 (QList<ShownMessage>{{"msgbox", f[2], title, 64, run.window},
                                      {"msgbox", "Do you care to play again?", "Play Again?", 4, run.window}}));
        // The result shows with the tallies untouched; they rise before the question.
        QCOMPARE(shown, (QStringList{final + " 0|0|0 0", final + " " + after}));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", f[3] + ".Wav", "NewGame.Wav"}));
        QCOMPARE(seen(run) + " " + run.ui().lblGame->text(), "...|...|... 1 X " + after + " 2");
    }

    // One player: the computer's reply inside the human's click, its win inside its own.
    // Each row: level, draws, clicks, then board and move at the first box, its title, and
    // the current and best score.
    void onePlayer()
    {
        for (const char* game : {"Easy|0.5 0.25 0.75|1 2 4|XXO|XO.|O.. 7|You have faced Defeat|-1|0",
                                 "Unbeatable|0.67|1 6 3 9|XOX|.OX|O.X 8|We have a Winner|100|100",
                                 "Unbeatable|0.125|1 9 8 3 4|XOX|XOO|OXX 10|Tie Game|0.5|0.5"}) {
            const QStringList f = QString(game).split('|');
            GameRun run;
            run.ctx.settings = {true, f[0], false};
            for (const QString& r : f[1].split(' '))
                run.random.fractions << r.toDouble();
            run.start();
            QStringList boards;
            run.dialogs.onShow = [&](const ShownMessage& m) {
                boards << seen(run).left(f[5].size() + 8) + ' ' + m.title;
            };
            for (const QString& c : f[2].split(' '))
                run.click({c.toInt()});
            QCOMPARE(boards.value(0), f.mid(3, 3).join('|') + ' ' + f[6]);
            QCOMPARE(run.ui().lblCurrentScore->text() + "|" + run.ui().lblHighScore->text(), f[7] + '|' + f[8]);
        }
    }

    // Every command does its work. Options confirmed while O is to move: the human places
    // that O, the computer replies from X's next move on; cancelled, nothing changes.
    void commands()
    {
        GameRun run;
        run.start();
        auto& ui = run.ui();
        run.click({1, 4, 2, 5, 3, 1}); // X wins, Yes, X 1
        for (const char* button : {"cmdCancel", "cmdOK"}) {
            QTimer::singleShot(
                0, [button] { QApplication::activeModalWidget()->findChild<QPushButton*>(button)->click(); });
            button[3] == 'O' ? ui.mnuOptionsOptions->trigger() : ui.cmdOptions->click();
            QCOMPARE(ui.lblLevel->text(), button[3] == 'O' ? "Unbeatable" : "");
        }
        run.click({2, 9});
        QCOMPARE(seen(run), QStringLiteral("XO.|.O.|..X 5 X 1|0|0 0"));
        QVERIFY(run.sound.played.isEmpty());
        ui.cmdNew->click();
        ui.mnuNew->trigger();
        QCOMPARE(seen(run) + " " + ui.lblGame->text(), QStringLiteral("...|...|... 1 X 1|0|0 0 4"));
        for (const auto& [action, window] : {std::pair{ui.mnuHelpScoring, "dz::frmScoring"},
                                             {ui.mnuHelpAbout, "dz::frmAbout"},
                                             {ui.mnuEnterTheDraw, "dz::frmContest"},
                                             {ui.mnuOptionsHighScore, "dz::frmHighScore"}}) {
            QVERIFY2(!isOpen(window), window);
            action->trigger();
            QVERIFY2(isOpen(window), window);
        }
    }

    // Each way out, and whether it runs the high-score step: the name box over the
    // window, then the list, which outlives it; a failed save is told the same way.
    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"no", "quit", "exit", "close", "unsaved"})
            QTest::newRow(way) << QString(way);
    }
    void waysOut()
    {
        QFETCH(QString, way);
        const bool highScores = way != "close";
        GameRun run(way == "unsaved");
        QFile plain(run.ctx.filesFolder.path()); // a file where the folder should be
        QVERIFY(way != "unsaved" || plain.open(QIODevice::WriteOnly));
        run.ctx.settings.SoundOn = true;
        run.dialogs.inputs = {"Zoë"};
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
        QCOMPARE(run.sound.played.last(), QStringLiteral("EndProgram.Wav"));
        const ShownMessage asked{"inputbox", "You made the highscore list!  What's your name?", "I need your name", 0,
                                 run.window};
        QCOMPARE(run.dialogs.shown.contains(asked), highScores);
        QCOMPARE(isOpen("dz::frmHighScore"), highScores);
        QCOMPARE(run.file("HighScore.dat").startsWith("Zo\xc3\xab\r\n0\r\n"), highScores && way != "unsaved");
        const ShownMessage told = run.dialogs.shown.value(way == "no" ? 3 : 1);
        QCOMPARE(told.prompt.contains("could not be saved") && told.style == dz::vbExclamation &&
                     told.owner == run.window,
                 way == "unsaved");
        // Unloaded from inside its own click: a click still queued must touch nothing.
        const int pieces = run.window->board().pieces();
        qint16 cell = 7;
        run.window->imgBoard_Click(cell);
        QCOMPARE(run.window->board().pieces(), pieces);
        GameRun::settle();
        QVERIFY(!run.window);
    }
};

DZ_TEST(TestTurnFlow)
#include "test_turn_flow.moc"
