// Random play through the real main window, thousands of games long: clicks on any
// cell, settings changed mid-game (directly and through the options dialog), new
// games, every secondary window opened and closed, runs ended every way there is.
// After every step the window must still tell the truth about the run.
//
// DZ_SOAK_SEED picks the actions (the computer draws from the real clock-seeded
// generator, so a seed replays the player, not the opponent); DZ_SOAK_STEPS sets the
// length.
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <memory>
#include <random>

#include "engine/numbers.h"
#include "options/frmOptions.h"
#include "platform/random.h"
#include "play/show_window.h"
#include "support/game_run.h"

namespace
{

template <class... A> QString Say(const char* text, const A&... args)
{
    QString s = QString::fromUtf8(text);
    ((s = s.arg(args)), ...);
    return s;
}

// A button is clicked, a menu command triggered.
void Press(QObject* control)
{
    auto* action = qobject_cast<QAction*>(control);
    action ? action->trigger() : QTest::mouseClick(qobject_cast<QWidget*>(control), Qt::LeftButton);
}

QString Describe(const dz::Settings& s)
{
    return Say("%1 player, \"%2\", sound %3", 2 - s.OnePlayer, s.Level, s.SoundOn);
}

// The computer only answers an exact level name: "easy" and "" leave O to a person.
const QStringList LevelChoices{"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};
const QStringList OptionButtons{"optPlayer1", "optPlayer2",    "optEasy", "optModerate",
                                "optHard",    "optUnbeatable", "chkSound"};
enum Tally { XWins, OWins, Ties, Started, Finished };
// The messages that end a game, in pairs by the tally they add to: X wins, O wins, ties.
const QStringList Results{"Congradulations you won!", "Player X Wins!",
                          "The computer has defeated you!", "Player O Wins!",
                          "Yeap, another game for the cats!"};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomPlayKeepsTheWindowTruthful()
    {
        const quint64 seed = qEnvironmentVariable("DZ_SOAK_SEED", "20240611").toULongLong();
        const quint64 steps = qEnvironmentVariable("DZ_SOAK_STEPS", "80000").toULongLong();
        qInfo() << "soak: seed" << seed << "and" << steps << "steps (DZ_SOAK_SEED, DZ_SOAK_STEPS)";
        // The offscreen platform cannot raise windows and the like, and says so every time.
        static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (!m.startsWith(QLatin1String("This plugin does not support ")))
                standard(t, c, m);
        });
        rng_.seed(seed);
        QStringList trail; // the last steps, for the report
        for (quint64 i = 1; i <= steps && broken_.isEmpty(); ++i) {
            trail << Say("%1: %2", i, step());
            dz::test::GameRun::settle();
            trail.last() += " -> " + (run_ && run_->window ? run_->window->board().picture() : "-");
            trail = trail.mid(trail.size() - 25);
            check();
        }
        QVERIFY2(broken_.isEmpty(),
                 qPrintable(Say("seed %1: %2\nlast steps:\n%3", seed, broken_, trail.join(u'\n'))));
        qInfo("soak: %d games finished", games_);
        QVERIFY(games_ > int(steps / 40)); // the dice did reach the end of games
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> T oneOf(const QList<T>& list) { return list[below(int(list.size()))]; }
    void expect(bool holds, const QString& why)
    {
        if (!holds && broken_.isEmpty())
            broken_ = why;
    }

    // One random action; returns what was done, for the trail.
    QString step()
    {
        if (run_ && (!run_->window || run_->window->unloaded()))
            run_.reset(); // the run has ended
        if (!run_) {
            run_ = std::make_unique<dz::test::GameRun>();
            run_->ctx.filesFolder = files_.path(); // shared by all runs, as on a desktop
            run_->ctx.random = &computer_;
            run_->dialogs.onShow = [this](const dz::test::ShownMessage& m) { onMessage(m); };
            tally_ = {0, 0, 0, 1, 0};
            run_->start();
            return "start run";
        }
        auto& ui = run_->ui();
        const int pick = below(1000); // mostly clicks, so that games run to their end
        if (pick < 850) {
            const int cell = 1 + below(9);
            run_->click({cell});
            return Say("click %1", cell);
        }
        if (pick < 880) {
            run_->ctx.settings = {chance(60), oneOf(LevelChoices), chance(30)};
            return "set " + Describe(run_->ctx.settings);
        }
        if (pick < 900)
            return options();
        QObject* control = nullptr;
        if (pick < 915) {
            ++tally_[Started];
            control = oneOf<QObject*>({ui.cmdNew, ui.mnuNew});
        } else if (pick < 950)
            control = oneOf<QObject*>({ui.cmdAbout, ui.mnuHelpAbout, ui.mnuOptionsHighScore,
                                       ui.mnuHelpScoring, ui.mnuEnterTheDraw});
        else if (pick < 995)
            return closeWindow();
        else if (chance(33))
            return run_->window->close() ? "close main window" : "main window stays";
        else
            control = oneOf<QObject*>({ui.cmdQuit, ui.mnuFileExit});
        Press(control);
        return "press " + control->objectName();
    }

    // Every message box and input box of the run passes through here, while it is up.
    void onMessage(const dz::test::ShownMessage& m)
    {
        checkWindow(m.prompt);
        if (const int result = int(Results.indexOf(m.prompt)); result >= 0) {
            ++tally_[result / 2];
        } else if (m.prompt == QLatin1String("Do you care to play again?")) {
            ++games_;
            ++tally_[Finished];
            const bool again = chance(96);
            run_->dialogs.answerNext(again ? dz::vbYes : dz::vbNo);
            tally_[Started] += again;
        } else if (m.kind == QLatin1String("inputbox")) {
            run_->dialogs.typeNext(QString::fromUtf8("  Zoë, \"the\"\r\nsecond ☃"));
        } else {
            expect(false, Say("unexpected message \"%1\"", m.prompt));
        }
    }

    void check()
    {
        QStringList kinds; // at most one window of each kind shown, one main window at all
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() || qobject_cast<dz::frmMain*>(w))
                kinds << w->metaObject()->className();
        const QString all = kinds.join(' ');
        expect(kinds.removeDuplicates() == 0, "two windows of a kind among " + all);
        if (run_ && run_->window && !run_->window->unloaded())
            checkWindow({});
    }

    // The window against the log of messages; `up` is the message on screen, if any.
    void checkWindow(const QString& up)
    {
        const auto& u = run_->ui();
        const int move = run_->window->MoveNumber(), pieces = run_->window->board().pieces();
        const QString at = Say(" at move %1", move) + (up.isEmpty() ? "" : " under " + up);
        expect(pieces == move - 1 && u.lblMove->text() == QString::number(move),
               Say("%1 pieces, lblMove %2", pieces, u.lblMove->text()) + at);
        const QLabel* piece = move % 2 ? u.imgPiece_1 : u.imgPiece_2;
        expect(u.imgWhoTurn->pixmap().cacheKey() == piece->pixmap().cacheKey(),
               "whose-turn picture wrong" + at);
        for (const QLabel* l : {u.lblCurrentScore, u.lblHighScore}) // in half points
            expect(dz::IsNumberText(l->text()) && std::fmod(dz::TextNumber(l->text()) * 2, 1) == 0,
                   l->objectName() + " reads " + l->text());
        if (!up.isEmpty())
            return; // the tallies are due once the message is answered
        expect(move >= 1 && move <= 9, "a decided board waits for input" + at);
        const int results = tally_[XWins] + tally_[OWins] + tally_[Ties];
        const QString shown = Say("%1 %2 %3 %4, %5 ended", u.lblXWins->text(), u.lblOWins->text(),
                                  u.lblTie->text(), u.lblGame->text(), results);
        const QString logged = Say("%1 %2 %3 %4, %5 ended", tally_[XWins], tally_[OWins],
                                   tally_[Ties], tally_[Started], tally_[Finished]);
        expect(shown == logged, Say("X O ties game: %1; the log says %2", shown, logged));
    }

    // Through the main window: the modal dialog is answered from inside its own loop with
    // random clicks, then OK or Cancel; the settings take what was clicked, or nothing.
    QString options()
    {
        const dz::Settings before = run_->ctx.settings;
        dz::Settings chosen{true, QStringLiteral("Unbeatable"), true}; // as the dialog opens
        bool opened = false, ok = false;
        QObject guard; // drops the answer should the dialog never open
        QTimer::singleShot(0, &guard, [&] {
            auto* dlg = qobject_cast<dz::frmOptions*>(QApplication::activeModalWidget());
            if (!(opened = dlg))
                return;
            for (int n = below(4); n > 0; --n) {
                const QString name = oneOf(OptionButtons);
                QTest::mouseClick(dlg->findChild<QAbstractButton*>(name), Qt::LeftButton);
                if (name == QLatin1String("chkSound"))
                    chosen.SoundOn = !chosen.SoundOn;
                else if (name.startsWith(QLatin1String("optPlayer")))
                    chosen.OnePlayer = name.endsWith(u'1');
                else
                    chosen.Level = name.mid(3);
            }
            ok = chance(70);
            Press(dlg->findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel"));
        });
        Press(oneOf<QObject*>({run_->ui().cmdOptions, run_->ui().mnuOptionsOptions}));
        const QString now = Describe(run_->ctx.settings);
        expect(opened && now == Describe(ok ? chosen : before) && !dz::OpenWindow<dz::frmOptions>(),
               opened ? "options dialog left " + now : "no modal options dialog");
        return (ok ? "options OK: " : "options Cancel: ") + now;
    }

    // By the title bar's close button or OK; the contest notice with its box ticked or not.
    QString closeWindow()
    {
        QWidgetList open = QApplication::topLevelWidgets();
        open.removeIf([this](QWidget* w) { return !w->isVisible() || w == run_->window; });
        if (open.isEmpty())
            return "nothing to close";
        QWidget* w = oneOf(open);
        if (auto* box = w->findChild<QAbstractButton*>("chkDoNotShow"); box && chance(50))
            QTest::mouseClick(box, Qt::LeftButton); // the contest notice's flag, for later runs
        if (chance(25))
            return (w->close() ? "close " : "could not close ") + w->objectName();
        Press(w->findChild<QPushButton*>("cmdOK"));
        return "OK " + w->objectName(); // deleted later, if at all
    }

    std::mt19937_64 rng_;
    QTemporaryDir files_;
    dz::ClockRandom computer_;
    std::unique_ptr<dz::test::GameRun> run_;
    std::array<int, 5> tally_{}; // indexed by Tally: this run as the log of messages tells it
    QString broken_;             // the first rule broken
    int games_ = 0;              // over all runs
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
