// Random play through the real main window: clicks on any cell, settings changed mid-game, new
// games, secondary windows opened, runs ended every way there is. After every step the window
// must still tell the truth about the run. Every draw comes from DZ_SOAK_SEED (printed);
// DZ_SOAK_STEPS sets the length.
#include <random>

#include "platform/random.h"
#include "support/game_run.h"

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
        ClockRandom computer([n = seed]() mutable { return n++; });
        std::unique_ptr<GameRun> run;
        int tally[3] = {}; // X wins, O wins, ties: as the messages told them
        int games = 0;
        int ended = 0; // over all runs
        const QStringList results{"Congradulations you won!", "Player X Wins!",
                                  "The computer has defeated you!", "Player O Wins!",
                                  "Yeap, another game for the cats!"};
        const char* levels[] = {"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
        for (quint64 step = 1; step <= steps; ++step) {
            if (!run || !run->window || run->window->unloaded()) {
                run = std::make_unique<GameRun>(below(2), &computer);
                run->dialogs.onShow = [&](const ShownMessage& m) {
                    if (results.contains(m.prompt))
                        ++tally[results.indexOf(m.prompt) / 2];
                    if (m.title != "Play Again?")
                        return;
                    run->dialogs.answers << (below(25) > 0 ? vbYes : vbNo);
                    games += run->dialogs.answers.last() == vbYes;
                    ++ended;
                };
                std::fill(std::begin(tally), std::end(tally), 0);
                games = 1;
                run->start();
            }
            auto& ui = run->ui();
            const int pick = below(1000); // mostly clicks: games run to their end
            const int cell = 1 + below(9);
            const QList windows{ui.mnuHelpAbout, ui.mnuOptionsHighScore, ui.mnuHelpScoring,
                                ui.mnuEnterTheDraw};
            if (pick < 880)
                run->click({cell});
            else if (pick < 920)
                run->ctx.settings = {below(5) < 3, levels[below(6)], below(3) == 0};
            else if (pick < 950)
                ui.cmdNew->click();
            else if (pick < 990)
                windows[pick % 4]->trigger();
            else if (pick % 3 != 0)
                ui.mnuFileExit->trigger();
            else
                run->window->close();
            games += pick >= 920 && pick < 950;
            GameRun::settle();
            if (!run->window || run->window->unloaded())
                continue;
            const int move = run->window->MoveNumber();
            const QStringList shown{ui.lblXWins->text(), ui.lblOWins->text(),
                                    ui.lblTie->text(),   ui.lblGame->text(),
                                    ui.lblMove->text(),  GameRun::Spoken(ui.imgWhoTurn).left(1)};
            const QStringList due{QString::number(tally[0]), QString::number(tally[1]),
                                  QString::number(tally[2]), QString::number(games),
                                  QString::number(move),     move % 2 ? "X" : "O"};
            QVERIFY2(shown == due && run->window->board().pieces() == move - 1,
                     qPrintable(QString("seed %1, step %2 (pick %3, cell %4): %5, due %6")
                                    .arg(seed)
                                    .arg(step)
                                    .arg(pick)
                                    .arg(cell)
                                    .arg(shown.join(u' '), due.join(u' '))));
        }
        QVERIFY(ended > int(steps / 40)); // the dice did reach the end of games
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
