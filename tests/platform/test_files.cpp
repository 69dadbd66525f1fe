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
        QTest::addColumn<QByteArrayList>("after"); // when written; when not, nothing changed
        const auto ok = [](const char* name, QByteArrayList layout, QByteArrayList after,
                           QByteArray folder = {}) {
            QTest::newRow(name) << layout << folder << QString() << after;
        };
        const auto no = [](const char* name, QByteArrayList layout, QString failure,
                           QByteArray folder = {}) {
            QTest::newRow(name) << layout << folder << failure << QByteArrayList();
        };
        ok("new file in new folders", {}, {"a/b/f=nnn"}, "a/b");
        ok("folder name not UTF-8", {}, {"\xE9\xFC/b/f=nnn"}, "\xE9\xFC/b");
        ok("mode and owner kept", {"f=o", "f:0640", "f@65534"}, {"f=nnn", "f:0640", "f@65534"});
        ok("relative links followed and kept", {"t/r=o", "a->t/r", "f->a"},
           {"t/r=nnn", "a->t/r", "f->a"});
        ok("dangling link gets its target", {"f->t"}, {"t=nnn", "f->t"});
        ok("other letter case kept", {"F=o"}, {"F=nnn", "f~"});
        ok("exact name first", {"F=x", "f=o"}, {"F=x", "f=nnn"});
        ok("a folder is no file", {"F/"}, {"F/", "f=nnn"});
        const QByteArrayList others{".f.dirizivur-0123ABCD=k", ".f.dirizivur-0123abcde=k",
                                    "f.bak=k", "f.AbC123=k"};
        ok("only own temporaries removed", others + QByteArrayList{".f.dirizivur-0123abcd=t"},
           others + QByteArrayList{".f.dirizivur-0123abcd~", "f=nnn"});
        ok("lock of a dead copy recovered", {"f.lock#"}, {"f=nnn", "f.lock~"});
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
        Scratch s;
        s.lay(layout);
        QLockFile live(QFile::decodeName(s.path("f.lock")));
        QVERIFY(!failure.contains("locked") || live.tryLock());
        const QByteArrayList before = s.snapshot();
        const bool full = failure.contains("full");
        const auto save = [&] {
            const QByteArray content(full ? 1 << 16 : 3, 'n');
            return dz::LockedFile(s.folder(folder), "f", 100).write(content).failure;
        };
        if (full) // a file-size limit stands in for a full disk: the write fails, not the game
            QCOMPARE(dz::test::InChild([&] {
                         const rlimit limit{4096, 4096};
                         return setrlimit(RLIMIT_FSIZE, &limit) == 0 && save() == failure ? 0 : 1;
                     }),
                     0);
        else
            QCOMPARE(save(), failure);
        QCOMPARE(s.mismatches(after), QByteArrayList());
        QVERIFY(failure.isEmpty() || s.snapshot() == before);
    }

    // Both copies read the list and ask the names; both entries then end up in the file.
    void twoGamesSaveAtOnce()
    {
        for (int round = 0; round < 10; ++round) {
            Scratch s;
            int toChild[2], toParent[2];
            QVERIFY(pipe(toChild) == 0 && pipe(toParent) == 0);
            const auto play = [&](const char* name, int tell, int wait) {
                dz::ReadHighScores(s.folder());
                char c = 0;
                return ::write(tell, "r", 1) == 1 && ::read(wait, &c, 1) == 1 &&
                       dz::SaveHighScore(s.folder(), dz::HighScoreEntry{name, 5}).written.ok();
            };
            const pid_t child = fork();
            if (child == 0)
                _exit(play("child", toParent[1], toChild[0]) ? 0 : 1);
            QVERIFY(play("parent", toChild[1], toParent[0]));
            int status = -1;
            waitpid(child, &status, 0);
            for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]})
                close(fd);
            QCOMPARE(status, 0);
            const dz::HighScoreList list = dz::ReadHighScores(s.folder());
            QByteArrayList names{list[0].name, list[1].name, list[2].name};
            std::sort(names.begin(), names.end());
            QCOMPARE(names, QByteArrayList({"", "child", "parent"}));
        }
    }

    // Killed at any moment, a writer leaves the old bytes or the new ones, nothing else.
    void killedWriter()
    {
        Scratch s;
        const QByteArray a(4096, 'a'), b(3000, 'b');
        s.lay({"f=" + a});
        const unsigned seed = 20240613;
        qInfo("kill moments drawn from seed %u", seed);
        std::mt19937 moments(seed);
        for (int round = 0; round < 100; ++round) {
            int ready[2];
            QVERIFY(pipe(ready) == 0);
            const pid_t pid = fork();
            if (pid == 0) {
                if (::write(ready[1], "r", 1) == 1)
                    for (int i = 0;; ++i)
                        dz::LockedFile(s.folder(), "f").write(i % 2 ? a : b);
                _exit(1);
            }
            char c = 0;
            QCOMPARE(::read(ready[0], &c, 1), 1);
            usleep(moments() % 1500);
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            close(ready[0]);
            close(ready[1]);
            QVERIFY2(s.mismatches({"f=" + a}).isEmpty() || s.mismatches({"f=" + b}).isEmpty(),
                     qPrintable(QString("round %1").arg(round)));
        }
    }

    void filesFolder_data()
    {
        QTest::addColumn<QByteArray>("xdg"); // "-": not set
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray account =
            QByteArray(getpwuid(getuid())->pw_dir) + "/.local/share/DirIziVur";
        const auto row = [](const char* name, QByteArray xdg, QByteArray home,
                            QByteArray expected) {
            QTest::newRow(name) << xdg << home << expected;
        };
        row("absolute XDG_DATA_HOME, bytes kept", "/x/\xE9", "/h", "/x/\xE9/DirIziVur");
        row("relative XDG_DATA_HOME ignored", "x", "/h/", "/h/.local/share/DirIziVur");
        row("home is the root", "", "/", "/.local/share/DirIziVur");
        row("neither set", "-", "-", account);
        row("relative HOME", "-", "h", account);
    }
    void filesFolder()
    {
        QFETCH(QByteArray, xdg);
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, expected);
        for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", xdg}, {"HOME", home}})
            value == "-" ? qunsetenv(name) : qputenv(name, value);
        QCOMPARE(dz::DefaultFilesFolder().native(), expected);
    }

    void programFolder()
    {
        QCOMPARE(dz::ProgramFolder().path(), QCoreApplication::applicationDirPath());
    }
};

DZ_TEST(TestFiles)
#include "test_files.moc"
