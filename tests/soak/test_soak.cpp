// Random play through the real main window: clicks on any cell, settings changed mid-game, new
// games, secondary windows opened, runs ended every way there is. After every step the window
// must still tell the truth about the run. Every draw comes from DZ_SOAK_SEED (printed);
// DZ_SOAK_STEPS sets the length.
#include <QAccessible>
#include <random>

#include "platform/random.h"
#include "support/game_run.h"
#include "support/rows.h"

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomPlayKeepsTheWindowTruthful()
    {
        const quint64 seed = qEnvironmentVariable("DZ_SOAK_SEED", "20240611").toULongLong();
        const quint64 steps = qEnvironmentVariable("DZ_SOAK_STEPS", "4000").toULongLong();
        qInfo("soak: seed %llu, %llu steps (DZ_SOAK_SEED, DZ_SOAK_STEPS)", seed, steps);
        std::mt19937_64 rng(seed);
        const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        dz::ClockRandom computer([n = seed]() mutable { return n++; });
        std::unique_ptr<dz::test::GameRun> run;
        int xWins = 0;
        int oWins = 0;
        int ties = 0;
        int games = 0; // started in this run
        int ended = 0; // over all runs
        const QStringList xWon{"Congradulations you won!", "Player X Wins!"};
        const QStringList oWon{"The computer has defeated you!", "Player O Wins!"};
        const char* levels[] = {"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
        for (quint64 step = 1; step <= steps; ++step) {
            if (!run || !run->window || run->window->unloaded()) {
                run = std::make_unique<dz::test::GameRun>(below(2), &computer);
                run->dialogs.onShow = [&](const dz::test::ShownMessage& m) {
                    xWins += xWon.contains(m.prompt);
                    oWins += oWon.contains(m.prompt);
                    ties += m.prompt == "Yeap, another game for the cats!";
                    if (m.title == "Play Again?") {
                        const bool again = below(25) > 0;
                        run->dialogs.answers << (again ? dz::vbYes : dz::vbNo);
                        games += again;
                        ++ended;
                    }
                };
                xWins = oWins = ties = 0;
                games = 1;
                run->start();
            }
            auto& ui = run->ui();
            const int pick = below(1000); // mostly clicks: games run to their end
            const int cell = 1 + below(9);
            if (pick < 880) {
                run->click({cell});
            } else if (pick < 920) {
                run->ctx.settings = {below(5) < 3, levels[below(6)], below(3) == 0};
            } else if (pick < 950) {
                ++games;
                ui.cmdNew->click();
            } else if (pick < 990) {
                const QList actions{ui.mnuHelpAbout, ui.mnuOptionsHighScore, ui.mnuHelpScoring,
                                    ui.mnuEnterTheDraw};
                actions[pick % 4]->trigger();
            } else if (pick % 3 != 0) {
                ui.mnuFileExit->trigger();
            } else {
                run->window->close();
            }
            dz::test::GameRun::settle();
            if (!run->window || run->window->unloaded())
                continue;
            const int move = run->window->MoveNumber();
            const QString side =
                QAccessible::queryAccessibleInterface(ui.imgWhoTurn)->text(QAccessible::Name);
            const QString shown =
                QStringList{ui.lblXWins->text(), ui.lblOWins->text(), ui.lblTie->text(),
                            ui.lblGame->text(),  ui.lblMove->text(),  side.left(1)}
                    .join(u' ');
            const QString due = QString::asprintf("%d %d %d %d %d %c", xWins, oWins, ties, games,
                                                  move, move % 2 ? 'X' : 'O');
            QVERIFY2(shown == due && run->window->board().pieces() == move - 1 && move <= 9,
                     qPrintable(QString::asprintf("seed %llu, step %llu (pick %d, cell %d): ", seed,
                                                  step, pick, cell) +
                                shown + ", the log says " + due));
        }
        QVERIFY(ended > int(steps / 40)); // the dice did reach the end of games
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
