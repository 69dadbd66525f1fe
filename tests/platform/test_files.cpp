// The files folder's files: what the writer refuses and what it keeps, two copies of the
// game saving at once, a writer killed midway, and where the files folder is.
#include <QLockFile>
#include <QTest>
#include <pwd.h>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "scoring/highscores.h"
#include "support/scratch.h"
#include "support/test_main.h"

using dz::test::Scratch;

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void write_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<QByteArray>("folder");    // the files folder, in the scratch folder
        QTest::addColumn<QString>("failure");      // what the player reads; empty: written
        QTest::addColumn<QByteArrayList>("after"); // the folder written; refused: as it was
        const auto ok = [](const char* name, QByteArrayList layout, QByteArrayList after, QByteArray folder = {}) {
            QTest::newRow(name) << layout << folder << QString() << after;
        };
        const auto no = [](const char* name, QByteArrayList layout, QString failure, QByteArray folder = {}) {
            QTest::newRow(name) << layout << folder << failure << QByteArrayList();
        };
        ok("new file in new folders", {}, {"a/b/f=nnn"}, "a/b");
        ok("folder name not UTF-8", {}, {"\xE9\xFC/b/f=nnn"}, "\xE9\xFC/b");
        ok("mode and owner kept", {"f=o", "f:0640", "f@65534"}, {"f=nnn", "f:0640", "f@65534"});
        ok("relative links followed and kept", {"t/r=o", "a->t/r", "f->a"}, {"t/r=nnn", "a->t/r", "f->a"});
        ok("dangling link gets its target", {"f->t"}, {"t=nnn", "f->t"});
        ok("other letter case kept", {"F=o"}, {"F=nnn"});
        ok("exact name first", {"F=x", "f=o"}, {"F=x", "f=nnn"});
        ok("a folder is no file", {"F/"}, {"F/", "f=nnn"});
        const QByteArrayList others{".f.dirizivur-0123ABCD=k", ".f.dirizivur-0123abcde=k", "f.bak=k", "f.AbC123=k"};
        ok("only own temporaries removed", others + QByteArrayList{".f.dirizivur-09afbcde=t"},
           others + QByteArrayList{"f=nnn"});
        ok("lock of a dead copy recovered", {"f.lock#"}, {"f=nnn"});
        no("read-only file", {"f=o", "f:0444"}, "the file is read-only");
        no("link to a read-only file", {"t=o", "t:0400", "f->t"}, "the file is read-only");
        no("folder in the way", {"f/"}, "a folder of that name is in the way");
        no("pipe in the way", {"f|"}, "something that is not a file is in its place");
        no("file in place of the folder", {"a=x"}, "a file is in the way of the folder", "a");
        no("folder under a file", {"a=x"}, "a file is in the way of the folder", "a/b");
        no("link under a file", {"a=x", "f->a/t"}, "a file is in the way of the folder");
        no("links in a circle", {"f->g", "g->f"}, "its links lead round in a circle");
        no("held by a live copy", {"f=o"}, "another copy of the game is keeping it locked");
        no("disk full", {"f=o"}, "the disk is full");
    }
    void write()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(QByteArray, folder);
        QFETCH(QString, failure);
        QFETCH(QByteArrayList, after);
        const Scratch s(layout);
        QLockFile live(QFile::decodeName(s.path("f.lock")));
        QVERIFY(!failure.contains("locked") || live.tryLock());
        const QByteArrayList before = s.snapshot();
        const bool full = failure.contains("full");
        const QByteArray content(full ? 1 << 16 : 3, 'n');
        const auto save = [&] { return dz::LockedFile(s.folder(folder), "f", 100).write(content).failure; };
        if (full) // a file-size limit stands in for a full disk: the write fails, not the game
            QCOMPARE(dz::test::InChild([&] {
                         const rlimit limit{4096, 4096};
                         sigset_t held;
                         const bool failed = setrlimit(RLIMIT_FSIZE, &limit) == 0 && save() == failure;
                         pthread_sigmask(SIG_BLOCK, nullptr, &held); // the size signal let through again
                         return failed && !sigismember(&held, SIGXFSZ) ? 0 : 1;
                     }),
                     0);
        else
            QCOMPARE(save(), failure);
        QCOMPARE(s.snapshot(), failure.isEmpty() ? Scratch(after).snapshot() : before);
    }

    // Both copies read the list (and ask the names) before either saves: both entries stay.
    void twoGamesSaveAtOnce()
    {
        for (int round = 0; round < 10; ++round) {
            const Scratch s;
            int ready[2][2]; // [0]: the parent has read, [1]: the child has
            QVERIFY(pipe(ready[0]) == 0 && pipe(ready[1]) == 0);
            const pid_t child = fork();
            const bool inChild = child == 0;
            dz::ReadHighScores(s.folder());
            char c = 0;
            const bool saved = ::write(ready[inChild][1], "r", 1) == 1 && ::read(ready[!inChild][0], &c, 1) == 1 &&
                               dz::SaveHighScore(s.folder(), {{inChild ? "child" : "parent", 5}}).written.ok();
            if (inChild)
                _exit(saved ? 0 : 1);
            int status = -1;
            waitpid(child, &status, 0);
            for (int fd : {ready[0][0], ready[0][1], ready[1][0], ready[1][1]})
                close(fd);
            QVERIFY(saved && status == 0);
            const dz::HighScoreList list = dz::ReadHighScores(s.folder());
            QCOMPARE(QSet<QByteArray>({list[0].name, list[1].name}), QSet<QByteArray>({"child", "parent"}));
        }
    }

    // Killed at any moment, a writer leaves the old bytes or the new ones, nothing else.
    void killedWriter()
    {
        const QByteArray a(4096, 'a'), b(3000, 'b');
        const Scratch s({"f=" + a}), old({"f=" + a}), written({"f=" + b});
        const unsigned seed = 20240613;
        qInfo("kill moments drawn from seed %u", seed);
        std::mt19937 moments(seed);
        for (int round = 0; round < 100; ++round) {
            const pid_t writer = fork();
            for (int i = 0; writer == 0; ++i)
                dz::LockedFile(s.folder(), "f").write(i % 2 ? a : b);
            usleep(moments() % 10000); // a write takes a few milliseconds
            kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
            QVERIFY2(s.entry("f") == old.entry("f") || s.entry("f") == written.entry("f"),
                     qPrintable(QString::number(round)));
        }
        // The next write clears what the killed writers left: temporaries and the lock.
        QCOMPARE(dz::LockedFile(s.folder(), "f", 10000).write(a).failure, QString());
        QCOMPARE(s.snapshot(), old.snapshot());
    }

    void filesFolder_data()
    {
        QTest::addColumn<QByteArray>("xdg"); // "-": not set
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray account = QByteArray(getpwuid(getuid())->pw_dir) + "/.local/share/DirIziVur";
        const auto row = [](const char* name, QByteArray xdg, QByteArray home, QByteArray expected) {
            QTest::newRow(name) << xdg << home << expected;
        };
        row("absolute XDG_DATA_HOME, bytes kept", "/x/\xE9", "/h", "/x/\xE9/DirIziVur");
        row("relative XDG_DATA_HOME ignored", "x", "/h/", "/h/.local/share/DirIziVur");
        row("home is the root", "", "/", "/.local/share/DirIziVur");
        row("neither set", "-", "-", account);
    }
    void filesFolder()
    {
        QFETCH(QByteArray, xdg);
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, expected);
        for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", xdg}, {"HOME", home}})
            value == "-" ? qunsetenv(name) : qputenv(name, value);
        QCOMPARE(dz::DefaultFilesFolder().native(), expected);
        QCOMPARE(dz::ProgramFolder().path(), QCoreApplication::applicationDirPath());
    }
};

DZ_TEST(TestFiles)
#include "test_files.moc"
