// Random play through the real main window: clicks on any cell, settings changed mid-game,
// new games, secondary windows opened, runs ended every way there is. After every step the
// window must still tell the truth about the run. Every draw comes from DZ_SOAK_SEED
// (printed); DZ_SOAK_STEPS sets the length.
#include <QAccessible>
#include <random>

#include "platform/random.h"
#include "support/game_run.h"
#include "support/test_main.h"

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
        int tally[4] = {}, games = 0; // X wins, O wins, ties, games started
        const QStringList results = {"Congradulations you won!", "Player X Wins!", "The computer has defeated you!",
                                     "Player O Wins!", "Yeap, another game for the cats!"};
        for (quint64 i = 1; i <= steps; ++i) {
            if (!run || !run->window || run->window->unloaded()) {
                run = std::make_unique<dz::test::GameRun>(below(2), &computer);
                run->dialogs.onShow = [&](const dz::test::ShownMessage& m) {
                    if (const int r = int(results.indexOf(m.prompt)); r >= 0)
                        ++tally[r / 2]; // the messages in pairs, X's then O's, then the tie's
                    if (m.title == "Play Again?") {
                        const bool again = below(25) > 0;
                        run->dialogs.answers << (again ? dz::vbYes : dz::vbNo);
                        tally[3] += again, ++games;
                    }
                };
                std::fill(tally, tally + 3, 0), tally[3] = 1;
                run->start();
            }
            auto& ui = run->ui();
            const int pick = below(1000), cell = 1 + below(9); // mostly clicks: games run to their end
            const char* levels[] = {"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
            if (pick < 880)
                run->click({cell});
            else if (pick < 920)
                run->ctx.settings = {below(5) < 3, levels[below(6)], below(3) == 0};
            else if (pick < 950)
                ++tally[3], below(2) ? ui.mnuNew->trigger() : ui.cmdNew->click();
            else if (pick < 990)
                QList{ui.mnuHelpAbout, ui.mnuOptionsHighScore, ui.mnuHelpScoring, ui.mnuEnterTheDraw}[pick % 4]
                    ->trigger();
            else
                pick % 3 ? ui.mnuFileExit->trigger() : void(run->window->close());
            dz::test::GameRun::settle();
            if (!run->window || run->window->unloaded())
                continue;
            const int move = run->window->MoveNumber();
            const QString side = QAccessible::queryAccessibleInterface(ui.imgWhoTurn)->text(QAccessible::Name);
            const QString shown = QStringList{ui.lblXWins->text(), ui.lblOWins->text(), ui.lblTie->text(),
                                              ui.lblGame->text(),  ui.lblMove->text(),  side.left(1)}
                                      .join(' ');
            const QString due = QString::asprintf("%d %d %d %d %d %c", tally[0], tally[1], tally[2], tally[3], move,
                                                  move % 2 ? 'X' : 'O');
            QVERIFY2(shown == due && run->window->board().pieces() == move - 1 && move <= 9,
                     qPrintable(QString::asprintf("seed %llu, step %llu (pick %d, cell %d): ", seed, i, pick, cell) +
                                shown + ", the log says " + due));
        }
        QVERIFY(games > int(steps / 40)); // the dice did reach the end of games
    }
};

DZ_TEST(TestSoak)
#include "test_soak.moc"
