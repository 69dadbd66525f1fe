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
        QList<int> due; // X wins, O wins, ties, games: as the boxes told them
        int ended = 0;  // over all runs
        const QStringList results{"Congradulations you won!", "Player X Wins!",
                                  "The computer has defeated you!", "Player O Wins!",
                                  "Yeap, another game for the cats!"};
        const char* levels[] = {"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
        for (quint64 step = 1; step <= steps; ++step) {
            if (!run || !run->window || run->window->unloaded()) {
                run = std::make_unique<GameRun>(below(2), &computer);
                run->dialogs.onShow = [&](const ShownMessage& m) {
                    if (results.contains(m.prompt))
                        ++due[int(results.indexOf(m.prompt)) / 2];
                    if (m.title == "Play Again?") {
                        run->dialogs.answers << (below(25) > 0 ? vbYes : vbNo);
                        due[3] += run->dialogs.answers.last() == vbYes;
                        ++ended;
                    }
                };
                due = {0, 0, 0, 1};
                run->start();
            }
            auto& ui = run->ui();
            const int pick = below(1000); // mostly clicks: games run to their end
            // Each command opens its window, the About button and the menus alike.
            const std::pair<QObject*, const char*> windows[] = {
                {ui.mnuHelpAbout, "dz::frmAbout"},
                {ui.cmdAbout, "dz::frmAbout"},
                {ui.mnuOptionsHighScore, "dz::frmHighScore"},
                {ui.mnuHelpScoring, "dz::frmScoring"},
                {ui.mnuEnterTheDraw, "dz::frmContest"}};
            const auto& [command, window] = windows[pick % 5];
            if (pick < 880)
                run->click({1 + pick % 9});
            else if (pick < 920)
                run->ctx.settings = {below(5) < 3, levels[below(6)], below(3) == 0};
            else if (pick < 950)
                ui.cmdNew->click();
            else if (pick < 990)
                QMetaObject::invokeMethod(command, pick % 5 == 1 ? "click" : "trigger");
            else if (pick % 3 != 0)
                ui.mnuFileExit->trigger();
            else
                run->window->close();
            due[3] += pick >= 920 && pick < 950;
            GameRun::settle();
            QVERIFY2(pick < 950 || pick >= 990 || GameRun::IsOpen(window), window);
            if (!run->window || run->window->unloaded())
                continue;
            const int move = run->window->MoveNumber();
            // The step, the tallies X, O and ties, the game, the move, its side and the pieces.
            const QStringList shown{QString::number(step),
                                    ui.lblXWins->text(),
                                    ui.lblOWins->text(),
                                    ui.lblTie->text(),
                                    ui.lblGame->text(),
                                    ui.lblMove->text(),
                                    GameRun::Spoken(ui.imgWhoTurn).left(1),
                                    QString::number(run->window->board().pieces() + 1)};
            QCOMPARE(shown, QString("%1 %2 %3 %4 %5 %6 %7 %6")
                                .arg(step)
                                .arg(due[0])
                                .arg(due[1])
                                .arg(due[2])
                                .arg(due[3])
                                .arg(move)
                                .arg(move % 2 ? "X" : "O")
                                .split(u' '));
        }
        QVERIFY(ended > int(steps / 40)); // the dice did reach the end of games
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
