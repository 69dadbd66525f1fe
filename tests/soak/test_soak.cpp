// Random play through the real main window, thousands of games long: clicks on any
// cell, settings changed mid-game (directly and through the options dialog), new
// games, every secondary window opened and closed, runs ended every way there is.
// After every step the window must still tell the truth about the run.
//
// DZ_SOAK_SEED picks the actions (the computer draws from the real clock-seeded
// generator, so a seed replays the player, not the opponent); DZ_SOAK_STEPS sets the
// length.
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

#include "engine/numbers.h"
#include "options/frmOptions.h"
#include "platform/random.h"
#include "play/show_window.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscores.h"
#include "scoring/points_table.h"
#include "support/game_run.h"
#include "windows/contest_flag.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

using dz::test::GameRun;
using dz::test::ShownMessage;

namespace
{

constexpr quint64 DefaultSeed = 20240611;
constexpr quint64 DefaultSteps = 80000;
// A step that takes longer than this is a hang, not a slow machine.
constexpr std::chrono::seconds StepLimit{60};

quint64 envNumber(const char* name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// The computer only answers an exact level name: "easy" and "" leave O to a person.
const QStringList LevelChoices{"", "Easy", "Moderate", "Hard", "Unbeatable", "easy"};

double PointsFor(const QString& result, const QString& level)
{
    for (const dz::PointsRow& row : dz::PointsTable) {
        if (result != QLatin1String(row.result.data(), qsizetype(row.result.size())))
            continue;
        for (size_t i = 0; i < dz::Levels.size(); ++i) {
            if (level == QLatin1String(dz::Levels[i].data(), qsizetype(dz::Levels[i].size())))
                return row.points[i];
        }
    }
    return 0;
}

bool IsHalfMultiple(const QString& text)
{
    const double v = dz::TextNumber(text);
    return dz::IsNumberText(text) && std::fmod(v * 2, 1.0) == 0;
}

// Aborts the process when the main loop stops advancing: a hang must fail the test
// with the step it hung at, not wait for ctest's timeout.
class Watchdog
{
public:
    explicit Watchdog(quint64 seed) : seed_(seed), thread_([this] { watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    void advance(quint64 step) { step_.store(step); }

private:
    void watch()
    {
        std::unique_lock lock(mutex_);
        quint64 seen = step_.load();
        while (!wake_.wait_for(lock, StepLimit, [this] { return stop_; })) {
            const quint64 now = step_.load();
            if (now == seen) {
                std::fprintf(stderr, "soak: step %llu hung for %llds (seed %llu)\n",
                             static_cast<unsigned long long>(now),
                             static_cast<long long>(StepLimit.count()),
                             static_cast<unsigned long long>(seed_));
                std::abort();
            }
            seen = now;
        }
    }

    const quint64 seed_;
    std::atomic<quint64> step_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

class Soak
{
public:
    explicit Soak(quint64 seed) : rng_(seed) { QVERIFY(files_.isValid()); }

    QString files() const { return files_.path(); }

    // One random action; returns what was done, for the trail.
    QString step()
    {
        if (!run_)
            return startRun();
        if (!run_->window || run_->window->unloaded())
            return endRun();

        // Mostly clicks, so that games run to their end; the rest now and then.
        const int pick = below(1000);
        if (pick < 850)
            return clickCell();
        if (pick < 880)
            return changeSettingsDirectly();
        if (pick < 895)
            return changeSettingsInDialog();
        if (pick < 900)
            return changeSettingsModally();
        if (pick < 915)
            return newGame();
        if (pick < 950)
            return openWindow();
        if (pick < 995)
            return closeWindow();
        return quit();
    }

    // Empty when everything holds, else the first broken rule.
    QString check()
    {
        if (!broken_.isEmpty())
            return broken_;
        if (const QString w = checkWindowCounts(); !w.isEmpty())
            return w;
        if (!run_ || !run_->window || run_->window->unloaded())
            return {};
        if (const QString s = checkWindow(true); !s.isEmpty())
            return s;
        const int move = run_->window->MoveNumber();
        if (move < 1 || move > 9)
            return QStringLiteral("a decided board waits for input at move %1").arg(move);
        return {};
    }

    QString board() const
    {
        return run_ && run_->window ? run_->window->board().picture() : QStringLiteral("-");
    }

    int games = 0; // finished, over all runs
    int runs = 0;

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> const T& oneOf(const QList<T>& list)
    {
        return list[below(int(list.size()))];
    }

    Ui::frmMain& ui() { return run_->ui(); }

    void fail(const QString& why)
    {
        if (broken_.isEmpty())
            broken_ = why;
    }

    QString startRun()
    {
        run_ = std::make_unique<GameRun>();
        ++runs;
        run_->ctx.filesFolder = files();
        run_->ctx.random = &computer_;
        // The flag file as the last run left it, or rewritten either way, or gone.
        const int flag = below(4);
        if (flag == 1)
            run_->writeFile(dz::SettingsFileName, "[Contest]\r\nShow=True\r\n");
        else if (flag == 2)
            run_->writeFile(dz::SettingsFileName, "[Contest]\r\nShow=False\r\n");
        else if (flag == 3)
            QFile::remove(files() + u'/' + dz::SettingsFileName);
        const bool contestExpected = !dz::ReadDoNotShow(files());

        xWins_ = oWins_ = ties_ = 0;
        gamesStarted_ = 1;
        score_ = 0;
        const dz::HighScoreList stored = dz::ReadHighScores(files());
        best_ = QFileInfo::exists(files() + QStringLiteral("/HighScore.dat"))
                    ? dz::NumberText(stored[0].score)
                    : QStringLiteral("0");
        storedBytes_ = readStored();
        levelShown_.clear();
        pendingName_.reset();
        run_->dialogs.onShow = [this](const ShownMessage& m) { onMessage(m); };

        run_->start();
        if (dz::OpenWindow<dz::frmContest>() != nullptr) {
            if (!contestExpected)
                fail(QStringLiteral("contest notice opened although the flag says not to"));
        } else if (contestExpected) {
            fail(QStringLiteral("contest notice missing at start-up"));
        }
        return QStringLiteral("start run %1 (flag %2)").arg(runs).arg(flag);
    }

    // The run has ended from inside a step: what it leaves behind.
    QString endRun()
    {
        GameRun::settle();
        if (run_->window)
            fail(QStringLiteral("main window outlived its unloading"));
        if (highScoreStep_) {
            if (!dz::OpenWindow<dz::frmHighScore>())
                fail(QStringLiteral("the list window is not shown at the end of a run"));
            checkStoredList();
        } else if (readStored() != storedBytes_)
            fail(QStringLiteral("the high-score file changed without the high-score step"));
        highScoreStep_ = false;
        const QStringList left = QDir(files()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                         QDir::Hidden | QDir::System);
        for (const QString& name : left) {
            if (name != QLatin1String("HighScore.dat") && name != dz::SettingsFileName)
                fail(QStringLiteral("stray file left in the files folder: %1").arg(name));
        }
        run_.reset();
        return QStringLiteral("end run");
    }

    QByteArray readStored() const
    {
        QFile f(files() + QStringLiteral("/HighScore.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The stored list holds the five best of the old list and this run's score.
    void checkStoredList()
    {
        const dz::HighScoreList now = dz::ReadHighScores(files());
        QList<double> expected;
        for (const dz::HighScoreEntry& e : listBefore_)
            expected << e.score;
        expected << finalScore_;
        std::sort(expected.begin(), expected.end(), std::greater<>());
        expected.resize(5);
        QList<double> actual;
        for (const dz::HighScoreEntry& e : now)
            actual << e.score;
        if (actual != expected) {
            QStringList a, b;
            for (double v : actual)
                a << dz::NumberText(v);
            for (double v : expected)
                b << dz::NumberText(v);
            fail(QStringLiteral("stored scores %1, expected %2").arg(a.join(' '), b.join(' ')));
        }
        if (pendingName_) {
            const bool found =
                std::any_of(now.begin(), now.end(), [&](const dz::HighScoreEntry& e) {
                    return e.name == *pendingName_ && e.score == finalScore_;
                });
            if (!found)
                fail(QStringLiteral("typed name \"%1\" missing from the list").arg(*pendingName_));
        }
        pendingName_.reset();
    }

    // Every message box and input box of the run passes through here, while it is up.
    void onMessage(const ShownMessage& m)
    {
        if (const QString s = checkWindow(false); !s.isEmpty())
            fail(QStringLiteral("while \"%1\" is up: %2").arg(m.prompt, s));
        auto& dialogs = run_->dialogs;
        const dz::Settings& s = run_->ctx.settings;
        QString result;
        if (m.prompt == QLatin1String("Congradulations you won!")) {
            ++xWins_;
            result = QStringLiteral("Win");
        } else if (m.prompt == QLatin1String("The computer has defeated you!")) {
            ++oWins_;
            result = QStringLiteral("Lost");
        } else if (m.prompt == QLatin1String("Player X Wins!")) {
            ++xWins_;
        } else if (m.prompt == QLatin1String("Player O Wins!")) {
            ++oWins_;
        } else if (m.prompt == QLatin1String("Yeap, another game for the cats!")) {
            ++ties_;
            result = QStringLiteral("Tie");
        } else if (m.prompt == QLatin1String("Do you care to play again?")) {
            ++games;
            if (chance(96)) {
                dialogs.answerNext(dz::vbYes);
                ++gamesStarted_;
            } else {
                dialogs.answerNext(dz::vbNo);
                beginHighScoreStep();
            }
            return;
        } else if (m.kind == QLatin1String("inputbox")) {
            const QString typed =
                oneOf<QString>({"", "Ann", "Bo, the second", "\"Quoted\"", "  spaced",
                                "Line\r\nbreak", QString::fromUtf8("Zoë ☃"), QString(300, u'W')});
            dialogs.typeNext(typed);
            QString stored = typed;
            stored.remove(u'\r');
            stored.remove(u'\n');
            while (stored.startsWith(u' '))
                stored.remove(0, 1);
            pendingName_ = stored;
            return;
        } else {
            fail(QStringLiteral("unexpected message \"%1\"").arg(m.prompt));
            return;
        }
        if (m.style != dz::vbInformation)
            fail(QStringLiteral("result shown with style %1").arg(m.style));
        dialogs.answerNext(dz::vbOK);
        // Scored after the message: one player's wins and losses, every tie.
        if (!result.isEmpty() && (s.OnePlayer || result == QLatin1String("Tie"))) {
            score_ += PointsFor(result, s.Level);
            if (score_ > dz::TextNumber(best_))
                best_ = dz::NumberText(score_);
        }
    }

    void beginHighScoreStep()
    {
        highScoreStep_ = true;
        listBefore_ = dz::ReadHighScores(files());
        finalScore_ = score_;
        pendingName_.reset();
    }

    // The counters against what the log of messages says. `between`: no message is up,
    // so the last result's scoring is done.
    QString checkWindow(bool between)
    {
        dz::frmMain* w = run_->window;
        auto& u = ui();
        const int move = w->MoveNumber();
        if (w->board().pieces() != move - 1)
            return QStringLiteral("%1 pieces at move %2").arg(w->board().pieces()).arg(move);
        if (u.lblMove->text() != QString::number(move))
            return QStringLiteral("lblMove \"%1\" at move %2").arg(u.lblMove->text()).arg(move);
        const QLabel* expectedPiece = move % 2 ? u.imgPiece_1 : u.imgPiece_2;
        if (u.imgWhoTurn->pixmap().cacheKey() != expectedPiece->pixmap().cacheKey())
            return QStringLiteral("whose-turn picture wrong at move %1").arg(move);
        for (QLabel* score : {u.lblCurrentScore, u.lblHighScore}) {
            if (!IsHalfMultiple(score->text()))
                return QStringLiteral("%1 reads \"%2\"").arg(score->objectName(), score->text());
        }
        if (u.lblLevel->text() != levelShown_)
            return QStringLiteral("lblLevel \"%1\", last confirmed \"%2\"")
                .arg(u.lblLevel->text(), levelShown_);
        if (!between)
            return {};
        const QString counts =
            QStringLiteral("%1 %2 %3 %4 %5 %6")
                .arg(u.lblXWins->text(), u.lblOWins->text(), u.lblTie->text(), u.lblGame->text(),
                     u.lblCurrentScore->text(), u.lblHighScore->text());
        const QString expected = QStringLiteral("%1 %2 %3 %4 %5 %6")
                                     .arg(xWins_)
                                     .arg(oWins_)
                                     .arg(ties_)
                                     .arg(gamesStarted_)
                                     .arg(dz::NumberText(score_), best_);
        if (counts != expected)
            return QStringLiteral("X O ties game score best: %1, the log says %2")
                .arg(counts, expected);
        return {};
    }

    QString checkWindowCounts()
    {
        int about = 0, scoring = 0, contest = 0, list = 0, main = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<dz::frmMain*>(w))
                ++main;
            if (!w->isVisible())
                continue;
            about += qobject_cast<dz::frmAbout*>(w) != nullptr;
            scoring += qobject_cast<dz::frmScoring*>(w) != nullptr;
            contest += qobject_cast<dz::frmContest*>(w) != nullptr;
            list += qobject_cast<dz::frmHighScore*>(w) != nullptr;
        }
        if (about > 1 || scoring > 1 || contest > 1 || list > 1 || main > 1)
            return QStringLiteral(
                       "windows open: %1 about, %2 scoring, %3 contest, %4 list, %5 main")
                .arg(about)
                .arg(scoring)
                .arg(contest)
                .arg(list)
                .arg(main);
        return {};
    }

    QString clickCell()
    {
        const int cell = 1 + below(9);
        const bool quiet = !run_->ctx.settings.SoundOn;
        const qsizetype sounds = run_->sound.played.size();
        run_->click({cell});
        if (quiet && run_->sound.played.size() != sounds)
            fail(QStringLiteral("sound played with sound off: %1").arg(run_->sound.played.last()));
        return QStringLiteral("click %1").arg(cell);
    }

    dz::Settings randomSettings() { return {chance(60), oneOf(LevelChoices), chance(30)}; }

    QString changeSettingsDirectly()
    {
        run_->ctx.settings = randomSettings();
        const dz::Settings& s = run_->ctx.settings;
        return QStringLiteral("set %1 player, level \"%2\", sound %3")
            .arg(s.OnePlayer ? 1 : 2)
            .arg(s.Level)
            .arg(s.SoundOn);
    }

    // Clicks random choices into an open options dialog, then OK or Cancel; checks
    // that the settings took exactly what was clicked, or nothing.
    QString operateOptions(dz::frmOptions& dlg)
    {
        const dz::Settings before = run_->ctx.settings;
        // The dialog always opens at one player, Unbeatable, sound on.
        dz::Settings chosen{true, QStringLiteral("Unbeatable"), true};
        for (int n = below(4); n > 0; --n) {
            const int what = below(3);
            if (what == 0) {
                chosen.OnePlayer = chance(50);
                QTest::mouseClick(
                    dlg.findChild<QRadioButton*>(chosen.OnePlayer ? "optPlayer1" : "optPlayer2"),
                    Qt::LeftButton);
            } else if (what == 1) {
                chosen.Level = oneOf<QString>({"Easy", "Moderate", "Hard", "Unbeatable"});
                QTest::mouseClick(
                    dlg.findChild<QRadioButton*>(QStringLiteral("opt") + chosen.Level),
                    Qt::LeftButton);
            } else {
                chosen.SoundOn = !chosen.SoundOn;
                QTest::mouseClick(dlg.findChild<QAbstractButton*>("chkSound"), Qt::LeftButton);
            }
        }
        const bool ok = chance(70);
        QTest::mouseClick(dlg.findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
        const dz::Settings& after = run_->ctx.settings;
        const dz::Settings& want = ok ? chosen : before;
        if (after.OnePlayer != want.OnePlayer || after.Level != want.Level ||
            after.SoundOn != want.SoundOn)
            fail(QStringLiteral("options dialog %1 left %2/%3/%4")
                     .arg(ok ? "OK" : "Cancel")
                     .arg(after.OnePlayer)
                     .arg(after.Level)
                     .arg(after.SoundOn));
        if (dlg.isVisible())
            fail(QStringLiteral("options dialog still open after %1").arg(ok ? "OK" : "Cancel"));
        return QStringLiteral("options %1: %2 player, %3, sound %4")
            .arg(ok ? "OK" : "Cancel")
            .arg(want.OnePlayer ? 1 : 2)
            .arg(want.Level)
            .arg(want.SoundOn);
    }

    QString changeSettingsInDialog()
    {
        dz::frmOptions dlg(run_->ctx, run_->window);
        dlg.show();
        return QStringLiteral("modeless ") + operateOptions(dlg);
    }

    // Through the Options button: the modal dialog is answered from inside its own loop.
    QString changeSettingsModally()
    {
        // Shared: should the dialog never open, the timer fires after this returns.
        auto done = std::make_shared<QString>(QStringLiteral("options never opened"));
        QTimer::singleShot(0, [this, done] {
            auto* dlg = qobject_cast<dz::frmOptions*>(QApplication::activeModalWidget());
            if (!dlg) {
                fail(QStringLiteral("no modal options dialog"));
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            *done = operateOptions(*dlg);
            if (done->startsWith(QLatin1String("options OK")))
                levelShown_ = run_->ctx.settings.Level;
        });
        if (chance(50))
            QTest::mouseClick(ui().cmdOptions, Qt::LeftButton);
        else
            ui().mnuOptionsOptions->trigger();
        return QStringLiteral("modal ") + *done;
    }

    QString newGame()
    {
        if (chance(50))
            QTest::mouseClick(ui().cmdNew, Qt::LeftButton);
        else
            ui().mnuNew->trigger();
        ++gamesStarted_;
        return QStringLiteral("new game");
    }

    QString openWindow()
    {
        const int which = below(5);
        switch (which) {
        case 0:
            ui().mnuOptionsHighScore->trigger();
            return QStringLiteral("open high scores");
        case 1:
            ui().mnuHelpScoring->trigger();
            return QStringLiteral("open scoring table");
        case 2:
            ui().mnuHelpAbout->trigger();
            return QStringLiteral("open about (menu)");
        case 3:
            QTest::mouseClick(ui().cmdAbout, Qt::LeftButton);
            return QStringLiteral("open about (button)");
        default:
            ui().mnuEnterTheDraw->trigger();
            return QStringLiteral("open contest notice");
        }
    }

    QString closeWindow()
    {
        QList<QWidget*> open;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !qobject_cast<dz::frmMain*>(w))
                open << w;
        }
        if (open.isEmpty())
            return QStringLiteral("nothing to close");
        QWidget* w = oneOf(open);
        const QString name = QString::fromLatin1(w->metaObject()->className());
        if (chance(25)) {
            w->close(); // the title bar's close button
            return QStringLiteral("close ") + name;
        }
        if (auto* contest = qobject_cast<dz::frmContest*>(w)) {
            auto* box = contest->findChild<QAbstractButton*>("chkDoNotShow");
            if (chance(50))
                QTest::mouseClick(box, Qt::LeftButton);
            const bool ticked = box->isChecked();
            QTest::mouseClick(contest->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            if (dz::ReadDoNotShow(files()) != ticked)
                fail(QStringLiteral("contest flag not stored as %1").arg(ticked));
            return QStringLiteral("OK contest notice, ticked %1").arg(ticked);
        }
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        return QStringLiteral("OK ") + name;
    }

    QString quit()
    {
        const int way = below(3);
        if (way < 2) {
            beginHighScoreStep();
            if (way == 0)
                QTest::mouseClick(ui().cmdQuit, Qt::LeftButton);
            else
                ui().mnuFileExit->trigger();
            return QStringLiteral("quit");
        }
        run_->window->close();
        return QStringLiteral("close main window");
    }

    std::mt19937_64 rng_;
    QTemporaryDir files_; // shared by all runs: the files carry over as on a desktop
    dz::ClockRandom computer_;
    std::unique_ptr<GameRun> run_;

    // The current run as the log of messages tells it.
    int xWins_ = 0, oWins_ = 0, ties_ = 0, gamesStarted_ = 0;
    double score_ = 0;
    QString best_;
    QString levelShown_;
    bool highScoreStep_ = false;
    dz::HighScoreList listBefore_{};
    double finalScore_ = 0;
    QByteArray storedBytes_;
    std::optional<QString> pendingName_;
    QString broken_;
};

// The offscreen platform cannot raise windows and the like, and says so every time.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support ")))
        defaultHandler(type, context, message);
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomPlayKeepsTheWindowTruthful()
    {
        const quint64 seed = envNumber("DZ_SOAK_SEED", DefaultSeed);
        const quint64 steps = envNumber("DZ_SOAK_STEPS", DefaultSteps);
        qInfo("soak: seed %llu, %llu steps (DZ_SOAK_SEED, DZ_SOAK_STEPS)",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps));

        defaultHandler = qInstallMessageHandler(quietHandler);
        Watchdog watchdog(seed);
        Soak soak(seed);
        QStringList trail;
        for (quint64 i = 1; i <= steps; ++i) {
            watchdog.advance(i);
            const QString action = soak.step();
            GameRun::settle();
            trail << QStringLiteral("%1: %2 -> %3").arg(i).arg(action, soak.board());
            if (trail.size() > 25)
                trail.removeFirst();
            if (const QString broken = soak.check(); !broken.isEmpty()) {
                const QString report = QStringLiteral("seed %1, step %2: %3\nlast steps:\n%4")
                                           .arg(seed)
                                           .arg(i)
                                           .arg(broken, trail.join(u'\n'));
                QFAIL(qPrintable(report));
            }
        }
        qInfo("soak: %d games finished over %d runs", soak.games, soak.runs);
        QVERIFY(soak.games > int(steps / 40)); // the dice did reach the end of games
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
