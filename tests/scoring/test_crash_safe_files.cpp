// The two files the game rewrites, killed mid-write hundreds of times or cut off by a
// full disk: each one must hold, byte for byte, either what it held before or what was
// being written, and a write that failed must say so.
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scoring/highscores.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

namespace
{

// Both files to content `which` (0 or 1), each long enough that a write takes more than
// one system call's worth of time: a note that the writes keep pads the settings.
void Write(const QString& folder, int which)
{
    dz::WritePrivateProfileString("Notes", "Text", QString(4000, u'n'),
                                  folder + u'/' + dz::SettingsFileName);
    const dz::HighScoreEntry entry{QString(900, u"ab"[which]), 100.0 + which};
    dz::WriteHighScores(folder, {entry, entry, entry, entry, entry});
    dz::WriteDoNotShow(folder, which != 0);
}

// The high scores' bytes, then the settings'.
QList<QByteArray> Read(const QString& folder)
{
    QFile scores(folder + "/HighScore.dat"), settings(folder + u'/' + dz::SettingsFileName);
    return {scores.open(QIODevice::ReadOnly) ? scores.readAll() : "<no file>",
            settings.open(QIODevice::ReadOnly) ? settings.readAll() : "<no file>"};
}

} // namespace

class TestCrashSafeFiles : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLeavesOldOrNewFile()
    {
        QTemporaryDir dir;
        const auto bytesOf = [&](int which) { return Write(dir.path(), which), Read(dir.path()); };
        const QList<QByteArray> written = bytesOf(1), old = bytesOf(0);

        // Kills land anywhere within a span that adapts to how long the writes take
        // here (a disk under load syncs slowly): about half of them after a change.
        int spanUs = 2000, rounds = 0;
        bool seen[2][2] = {}; // [file][written]
        QByteArray last = old[0];
        // Ten seconds' worth, and at least 300 kills unless a slow disk makes that twenty.
        const QDeadlineTimer ten(10'000), twenty(20'000);
        while (!ten.hasExpired() || (rounds < 300 && !twenty.hasExpired())) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            for (int i = 1; child == 0; ++i) // the child writes back and forth until killed
                Write(dir.path(), i % 2);
            usleep(useconds_t(++rounds * 7919 % spanUs)); // spread over the span
            kill(child, SIGKILL);
            QCOMPARE(waitpid(child, nullptr, 0), child);
            const QList<QByteArray> now = Read(dir.path());
            const bool s = now[0] == written[0], t = now[1] == written[1];
            QCOMPARE(now, (QList<QByteArray>{s ? written[0] : old[0], t ? written[1] : old[1]}));
            seen[0][s] = seen[1][t] = true;
            spanUs = qBound(100, spanUs * (now[0] != last ? 95 : 105) / 100, 200'000);
            last = now[0];
        }
        // The kills did land on both sides of a write.
        QVERIFY(seen[0][0] && seen[0][1] && seen[1][0] && seen[1][1]);
    }

    // A disk that fills up mid-write (a file size limit stands in for it): the old file
    // stays, whether the write was short enough to sit in a buffer until the end or not.
    void fullDiskLeavesOldFile_data()
    {
        QTest::addColumn<bool>("scores");
        QTest::addColumn<int>("length");
        QTest::newRow("settings, short value") << false << 100;
        QTest::newRow("settings, long value") << false << 40000;
        QTest::newRow("high scores, short name") << true << 100;
        QTest::newRow("high scores, long name") << true << 40000;
    }
    void fullDiskLeavesOldFile()
    {
        QFETCH(bool, scores);
        QFETCH(int, length);
        QTemporaryDir dir;
        Write(dir.path(), 0);
        const QList<QByteArray> old = Read(dir.path());
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit full{30, unlimited.rlim_max}; // bytes: less than either write needs
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        const QString z(length, u'z'), ini = dir.filePath("DirIziVur.ini");
        const bool written = scores ? dz::WriteHighScores(dir.path(), {{{z, 1}}})
                                    : dz::WritePrivateProfileString("Contest", "Show", z, ini);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY2(!written, "a cut-off write was reported");
        QCOMPARE(Read(dir.path()), old);
    }
};

QTEST_APPLESS_MAIN(TestCrashSafeFiles)
#include "test_crash_safe_files.moc"
