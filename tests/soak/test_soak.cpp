// Random play through the real main window: clicks on any cell, settings changed
// mid-game, new games, secondary windows opened and closed, runs ended every way there
// is. After every step the window must still tell the truth about the run. Every draw
// comes from DZ_SOAK_SEED (printed); DZ_SOAK_STEPS sets the length.
#include <QAccessible>
#include <QPushButton>
#include <cmath>
#include <random>

#include "engine/numbers.h"
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
        rng_.seed(seed);
        dz::ClockRandom computer([n = seed]() mutable { return n++; });
        for (quint64 i = 1; i <= steps && broken_.isEmpty(); ++i) {
            if (!run_ || !run_->window || run_->window->unloaded()) {
                run_ = std::make_unique<dz::test::GameRun>(below(2), &computer);
                run_->dialogs.onShow = [this](const dz::test::ShownMessage& m) { onMessage(m); };
                tally_ = {0, 0, 0, 1};
                run_->start();
            }
            last_ = QStringLiteral("step %1, ").arg(i) + step();
            dz::test::GameRun::settle();
            QStringList kinds; // at most one window of each kind shown
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    kinds << w->metaObject()->className();
            expect(kinds.removeDuplicates() == 0, "two windows of a kind");
            if (run_->window && !run_->window->unloaded())
                check({});
        }
        QVERIFY2(broken_.isEmpty(), qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(broken_)));
        QVERIFY(games_ > int(steps / 40)); // the dice did reach the end of games
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    void expect(bool holds, const QString& why)
    {
        if (!holds && broken_.isEmpty())
            broken_ = why + " after " + last_;
    }

    QString step()
    {
        auto& ui = run_->ui();
        const int pick = below(1000), cell = 1 + below(9); // mostly clicks: games run to their end
        const char* levels[] = {"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
        QAction* open[] = {ui.mnuHelpAbout, ui.mnuOptionsHighScore, ui.mnuHelpScoring, ui.mnuEnterTheDraw};
        QWidget* other = QApplication::topLevelWidgets().value(below(3));
        if (pick < 860)
            run_->click({cell});
        else if (pick < 900)
            run_->ctx.settings = {below(5) < 3, levels[below(6)], below(3) == 0};
        else if (pick < 920)
            ++tally_[3], below(2) ? ui.mnuNew->trigger() : ui.cmdNew->click();
        else if (pick < 950)
            open[below(4)]->trigger();
        else if (pick < 995 && other && other != run_->window) // by OK or by its close box
            other->findChild<QPushButton*>("cmdOK") && below(4) ? other->findChild<QPushButton*>("cmdOK")->click()
                                                                : void(other->close());
        else if (pick >= 995)
            pick % 3 == 0   ? ui.mnuFileExit->trigger()
            : pick % 3 == 1 ? ui.cmdQuit->click()
                            : void(run_->window->close());
        return QStringLiteral("pick %1, cell %2").arg(pick).arg(cell);
    }

    void onMessage(const dz::test::ShownMessage& m)
    {
        check(m.prompt);
        const QStringList results[] = {{"Congradulations you won!", "Player X Wins!"},
                                       {"The computer has defeated you!", "Player O Wins!"},
                                       {"Yeap, another game for the cats!"}};
        for (int result = 0; result < 3; ++result)
            tally_[result] += results[result].contains(m.prompt);
        if (m.title == QLatin1String("Play Again?")) {
            const bool again = below(25) > 0;
            run_->dialogs.answers << (again ? dz::vbYes : dz::vbNo);
            tally_[3] += again;
            ++games_;
        }
        if (m.kind == QLatin1String("inputbox"))
            run_->dialogs.inputs << QString::fromUtf8("  Zoë, \"the\"\r\nsecond ☃");
    }

    // The window against the log of messages; `up` is the message on screen, if any.
    void check(const QString& up)
    {
        const auto& u = run_->ui();
        const int move = run_->window->MoveNumber();
        expect(run_->window->board().pieces() == move - 1 && u.lblMove->text() == QString::number(move),
               "pieces and lblMove");
        const QString side = QAccessible::queryAccessibleInterface(u.imgWhoTurn)->text(QAccessible::Name);
        expect(side.startsWith(move % 2 ? 'X' : 'O'), side);
        for (const QLabel* l : {u.lblCurrentScore, u.lblHighScore}) // in half points
            expect(dz::IsNumberText(l->text()) && std::fmod(dz::TextNumber(l->text()) * 2, 1) == 0,
                   l->objectName() + " reads " + l->text());
        if (!up.isEmpty())
            return; // the tallies are due once the message is answered
        expect(move >= 1 && move <= 9, "a decided board waits for input");
        const QString shown =
            QStringList{u.lblXWins->text(), u.lblOWins->text(), u.lblTie->text(), u.lblGame->text()}.join(' ');
        const QString logged =
            QStringLiteral("%1 %2 %3 %4").arg(tally_[0]).arg(tally_[1]).arg(tally_[2]).arg(tally_[3]);
        expect(shown == logged, "X O ties game: " + shown + "; the log says " + logged);
    }

    std::mt19937_64 rng_;
    std::unique_ptr<dz::test::GameRun> run_;
    std::array<int, 4> tally_{}; // X wins, O wins, ties, games started
    QString broken_, last_;      // the first rule broken; the step last taken
    int games_ = 0;              // over all runs
};

DZ_TEST(TestSoak)
#include "test_soak.moc"
