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

namespace
{

// Presses a button of the modal dialog that the next action opens.
void pressInNextModal(const QString& button, std::function<void(QDialog&)> before = {})
{
    QTimer::singleShot(0, [button, before] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (before)
            before(*dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

} // namespace

class TestOnePlayer : public QObject
{
    Q_OBJECT
private slots:
    void oneClickPlacesBothPieces()
    {
        GameRun run;
        run.ctx.settings = {true, "Unbeatable", false};
        run.start();
        run.click({1});
        QCOMPARE(run.window->board().picture(), QStringLiteral("X..|.O.|..."));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("3"));
        QCOMPARE(run.ui().imgWhoTurn->pixmap().cacheKey(),
                 run.ui().imgPiece_1->pixmap().cacheKey());
    }

    void unbeatableTieScoresHalfAPoint()
    {
        GameRun run;
        run.ctx.settings = {true, "Unbeatable", true};
        run.random.fractions = {0.125}; // opposite corners: the side drawn is cell 2
        run.start();
        run.click({1, 9, 8, 3, 4});
        QCOMPARE(run.dialogs.shown.first().title, QStringLiteral("Tie Game"));
        QCOMPARE(run.ui().lblTie->text(), QStringLiteral("1"));
        QCOMPARE(run.ui().lblCurrentScore->text(), QStringLiteral("0.5"));
        QCOMPARE(run.ui().lblHighScore->text(), QStringLiteral("0.5"));
        QCOMPARE(run.sound.played, (QStringList{"NewGame.Wav", "TieGame.Wav", "NewGame.Wav"}));
    }

    void computerWinIsAnnouncedInsideItsMove()
    {
        GameRun run;
        run.ctx.settings = {true, "Easy", true};
        run.random.fractions = {0.5, 0.25, 0.75}; // Easy plays 5, 3, then 7
        run.start();
        QString seenAtDefeat;
        run.dialogs.onShow = [&](const ShownMessage& m) {
            if (m.title == "You have faced Defeat")
                seenAtDefeat = run.window->board().picture() + " " + run.ui().lblMove->text();
        };
        run.click({1, 2, 4});
        const QList<ShownMessage> expected{
            {"msgbox", "The computer has defeated you!", "You have faced Defeat", 64},
            {"msgbox", "Do you care to play again?", "Play Again?", 4}};
        QCOMPARE(run.dialogs.shown, expected);
        QCOMPARE(seenAtDefeat, QStringLiteral("XXO|XO.|O.. 7"));
        QCOMPARE(run.random.reseeds, 3);
        QCOMPARE(run.ui().lblOWins->text(), QStringLiteral("1"));
        QCOMPARE(run.ui().lblCurrentScore->text(), QStringLiteral("-1")); // "Lost" at Easy
        QCOMPARE(run.ui().lblHighScore->text(), QStringLiteral("0"));
        QVERIFY(run.sound.played.contains("ComputerWin.Wav"));
        QCOMPARE(run.window->board().pieces(), 0); // Yes: a new game
    }

    void humanWinAtUnbeatableIsWorthAHundred()
    {
        GameRun run;
        run.ctx.settings = {true, "Unbeatable", false};
        // X 1, O 5, X 6; early corner draws 7; X 3, O blocks 2; X wins with 9.
        run.random.fractions = {0.67};
        run.start();
        run.click({1, 6, 3, 9});
        QCOMPARE(run.dialogs.shown.first(),
                 (ShownMessage{"msgbox", "Congradulations you won!", "We have a Winner", 64}));
        QCOMPARE(run.ui().lblCurrentScore->text(), QStringLiteral("100"));
        QCOMPARE(run.ui().lblXWins->text(), QStringLiteral("1"));
    }

    void unknownLevelMakesNoReply()
    {
        GameRun run;
        run.ctx.settings = {true, "unbeatable", false};
        run.start();
        run.click({1});
        QCOMPARE(run.window->board().picture(), QStringLiteral("X..|...|..."));
    }

    // Confirmed while O is to move: the human places that O, the computer replies
    // from X's next move on, and nothing else in the window changes.
    void optionsConfirmedMidGame()
    {
        GameRun run;
        run.start();
        run.click({1});
        pressInNextModal("cmdOK");
        QTest::mouseClick(run.ui().cmdOptions, Qt::LeftButton);
        QCOMPARE(run.ui().lblLevel->text(), QStringLiteral("Unbeatable"));
        QVERIFY(run.ctx.settings.OnePlayer && run.ctx.settings.SoundOn);
        QCOMPARE(run.window->board().picture(), QStringLiteral("X..|...|..."));
        QCOMPARE(run.ui().lblMove->text(), QStringLiteral("2"));
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("1"));
        QCOMPARE(run.sound.played, QStringList{}); // no sound at confirming

        run.click({2});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|...|..."));
        run.click({9});
        QCOMPARE(run.window->board().picture(), QStringLiteral("XO.|.O.|..X"));
    }

    void optionsCancelledChangesNothing()
    {
        GameRun run;
        run.start();
        pressInNextModal("cmdCancel", [](QDialog& d) {
            QTest::mouseClick(d.findChild<QRadioButton*>("optEasy"), Qt::LeftButton);
        });
        run.ui().mnuOptionsOptions->trigger();
        QCOMPARE(run.ui().lblLevel->text(), QString());
        QVERIFY(!run.ctx.settings.OnePlayer);
    }

    void twoPlayerTieIsScoredByTheLevelInForce()
    {
        GameRun run;
        run.ctx.settings = {false, "Easy", false};
        run.start();
        run.click({1, 2, 3, 5, 4, 6, 8, 7, 9});
        QCOMPARE(run.ui().lblCurrentScore->text(), QStringLiteral("-0.5"));
        run.click({1, 4, 2, 5, 3}); // a two-player win leaves the score alone
        QCOMPARE(run.ui().lblCurrentScore->text(), QStringLiteral("-0.5"));
        QCOMPARE(run.ui().lblHighScore->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestOnePlayer)
#include "test_one_player.moc"
