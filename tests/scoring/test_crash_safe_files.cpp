// The two files the game rewrites, killed mid-write hundreds of times or cut off by a
// full disk: each one must hold, byte for byte, either what it held before or what was
// being written, and the game must still find it.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "scoring/highscores.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

namespace
{

const QString HighScores = QStringLiteral("HighScore.dat");

// Two lists long enough that a write takes more than one system call's worth of time.
dz::HighScoreList List(QChar fill, double first)
{
    dz::HighScoreList list;
    for (int i = 0; i < 5; ++i)
        list[size_t(i)] = {QString(900, fill) + QString::number(i), first - i};
    return list;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

// The bytes each write leaves, made by the writers themselves in a folder of their own.
struct Contents {
    QByteArray scores[2];
    QByteArray settings[2];
};

// One round of the writer: both files, to content `which`.
void Write(const QString& folder, int which)
{
    dz::WriteHighScores(folder, which ? List(u'b', 200) : List(u'a', 100));
    dz::WriteDoNotShow(folder, which != 0);
}

// Padding keeps the settings file as long as the list; the writes keep it in place.
void PrepareSettings(const QString& folder)
{
    QDir().mkpath(folder);
    dz::WritePrivateProfileString(QStringLiteral("Notes"), QStringLiteral("Text"),
                                  QString(4000, u'n'), folder + u'/' + dz::SettingsFileName);
}

} // namespace

class TestCrashSafeFiles : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLeavesOldOrNewFile()
    {
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        Contents want;
        for (int which : {0, 1}) {
            const QString folder = scratch.filePath(QString::number(which));
            PrepareSettings(folder);
            Write(folder, which);
            want.scores[which] = Bytes(folder + u'/' + HighScores);
            want.settings[which] = Bytes(folder + u'/' + dz::SettingsFileName);
        }
        QVERIFY(want.scores[0] != want.scores[1]);
        QVERIFY(want.settings[0] != want.settings[1]);

        const QString folder = scratch.filePath(QStringLiteral("files"));
        PrepareSettings(folder);
        Write(folder, 0);

        // Kills land anywhere within a span that adapts to how long the writes take
        // here (a disk under load syncs slowly): about half of them after a change.
        QElapsedTimer clock;
        std::mt19937 rng(7);
        double spanNs = 2e6;
        const QRegularExpression saveFileTemp(
            QStringLiteral(R"(^(HighScore\.dat|DirIziVur\.ini)\.[A-Za-z0-9]{6}$)"));
        int rounds = 0, changes = 0;
        QStringList leftovers;
        QByteArray lastScores = Bytes(folder + u'/' + HighScores);
        bool seen[2][2] = {};
        clock.start();
        // Ten seconds' worth, and at least 300 kills unless the disk is slow enough for
        // that to take twenty.
        while ((rounds < 300 && clock.elapsed() < 20'000) ||
               (clock.elapsed() < 10'000 && rounds < 5000)) {
            ++rounds;
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (int i = 1;; ++i)
                    Write(folder, i % 2);
            }
            const auto delay = std::uniform_int_distribution<qint64>(0, qint64(spanNs))(rng);
            std::this_thread::sleep_for(std::chrono::nanoseconds(delay));
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));

            const QByteArray scores = Bytes(folder + u'/' + HighScores);
            const QByteArray settings = Bytes(folder + u'/' + dz::SettingsFileName);
            const int s = scores == want.scores[1];
            const int t = settings == want.settings[1];
            QVERIFY2(scores == want.scores[s],
                     qPrintable(QStringLiteral("round %1: high scores are %2 bytes")
                                    .arg(rounds)
                                    .arg(scores.size())));
            QVERIFY2(settings == want.settings[t],
                     qPrintable(QStringLiteral("round %1: settings are %2 bytes")
                                    .arg(rounds)
                                    .arg(settings.size())));
            seen[0][s] = seen[1][t] = true;
            changes += scores != lastScores;
            spanNs = std::clamp(spanNs * (scores != lastScores ? 0.95 : 1.05), 1e5, 2e8);
            lastScores = scores;

            // What the game reads through its own lookups.
            QCOMPARE(dz::ReadHighScores(folder)[0].score, s ? 200.0 : 100.0);
            QCOMPARE(dz::ReadDoNotShow(folder), t == 1);

            const QStringList entries =
                QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
            const qsizetype before = leftovers.size();
            for (const QString& name : entries) {
                if (name == HighScores || name == dz::SettingsFileName || leftovers.contains(name))
                    continue;
                // Only the half-written temporary file of the write that was cut off.
                QVERIFY2(saveFileTemp.match(name).hasMatch(), qPrintable(name));
                leftovers << name;
            }
            // One write was cut off, so at most one file was left half-written.
            QVERIFY2(leftovers.size() - before <= 1, qPrintable(leftovers.join(u' ')));
        }
        qInfo("%d kills in %lld ms (within %lld us of the start): the list changed %d times, "
              "%lld temporary files left behind %s",
              rounds, clock.elapsed(), qint64(spanNs / 1000), changes, qint64(leftovers.size()),
              qPrintable(leftovers.join(u' ')));
        // The kills did land on both sides of a write.
        QVERIFY(seen[0][0] && seen[0][1] && seen[1][0] && seen[1][1]);
        QVERIFY(changes > rounds / 10);

        // A clean write after all that still works and adds nothing of its own.
        Write(folder, 1);
        QCOMPARE(Bytes(folder + u'/' + HighScores), want.scores[1]);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 2 + leftovers.size());
    }

    // A disk that fills up mid-write (a file size limit stands in for it): each writer
    // reports the failure and the old file stays, whether the write was short enough to
    // sit in a buffer until the end or not.
    void fullDiskLeavesOldFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");
        QTest::newRow("settings, short value") << dz::SettingsFileName << 100;
        QTest::newRow("settings, long value") << dz::SettingsFileName << 40000;
        QTest::newRow("high scores, short name") << HighScores << 100;
        QTest::newRow("high scores, long name") << HighScores << 40000;
    }
    void fullDiskLeavesOldFile()
    {
        QFETCH(QString, file);
        QFETCH(int, length);
        QTemporaryDir dir;
        PrepareSettings(dir.path());
        Write(dir.path(), 0);
        const QByteArray old = Bytes(dir.filePath(file));

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{30, 30}; // bytes: less than either write needs
            setrlimit(RLIMIT_FSIZE, &limit);
            bool written = false;
            if (file == HighScores)
                written = dz::WriteHighScores(dir.path(), {{{QString(length, u'z'), 1}}});
            else
                written =
                    dz::WritePrivateProfileString(QStringLiteral("Contest"), QStringLiteral("Show"),
                                                  QString(length, u'z'), dir.filePath(file));
            _exit(written ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "a cut-off write was reported");
        QCOMPARE(Bytes(dir.filePath(file)), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_APPLESS_MAIN(TestCrashSafeFiles)
#include "test_crash_safe_files.moc"
