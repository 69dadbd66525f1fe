// The files layer: the writer (what it refuses, what it keeps, two copies of the game saving
// at once, a writer killed midway), where the files folder is, the high-score file and the
// settings file.
#include <QLockFile>
#include <QTest>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/numbers.h"
#include "platform/atomic_file.h"
#include "scoring/highscores.h"
#include "support/test_main.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

namespace
{

// By the path's bytes: a folder name need not be UTF-8.
QByteArray Contents(const char* path)
{
    QFile file;
    file.open(open(path, O_RDONLY), QIODevice::ReadOnly, QFile::AutoCloseHandle);
    return file.readAll();
}

// A scratch folder laid out by short commands, one per entry:
//   "a/b=TEXT" a file with those bytes   "a/" a folder   "a>t" a link to t   "a|" a pipe
//   "a:0444" its mode   "a@65534" its owner and group   "a#" the lock of a copy that died
struct Scratch {
    explicit Scratch(const QByteArrayList& layout = {})
    {
        for (const QByteArray& c : layout) {
            const auto mark = qsizetype(c.toStdString().find_first_of("=>:@"));
            const QByteArray at = root + c.left(mark < 0 ? c.size() - 1 : mark), value = c.mid(mark + 1);
            const char kind = mark < 0 ? c.back() : c[mark];
            const bool done = kind == '='   ? bool(std::ofstream(at.constData()) << value.toStdString())
                              : kind == '/' ? mkdir(at, 0777) == 0
                              : kind == '>' ? symlink(value, at) == 0
                              : kind == '|' ? mkfifo(at, 0666) == 0
                              : kind == ':' ? chmod(at, value.toUInt(nullptr, 8)) == 0
                              : kind == '@' ? lchown(at, value.toUInt(), value.toUInt()) == 0
                              : fork() == 0 ? (_exit(!QLockFile(QFile::decodeName(at)).tryLock()), false)
                                            : wait(nullptr) > 0;
            if (!done)
                qFatal("cannot lay out %s", c.constData());
        }
    }
    // By bytes, which QTemporaryDir cannot name.
    ~Scratch() { std::filesystem::remove_all(root.constData()); }

    QByteArray path(const QByteArray& name = {}) const { return root + name; }
    dz::Folder folder(const QByteArray& name = {}) const { return dz::Folder(path(name)); }

    // Every entry: its name, kind and mode, owner, and bytes or link target, in name order.
    QByteArrayList snapshot() const
    {
        QByteArrayList entries;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root.constData())) {
            struct stat st;
            char head[64];
            lstat(e.path().c_str(), &st);
            snprintf(head, 64, " %o %u:%u ", st.st_mode, st.st_uid, st.st_gid);
            entries << e.path().c_str() + root.size() + QByteArray(head) +
                           (e.is_symlink()        ? QByteArray(read_symlink(e).c_str())
                            : e.is_regular_file() ? Contents(e.path().c_str())
                                                  : QByteArray());
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
};

// A name whose line end falls across two reads of the file, the last of one byte.
const QByteArray Long = "\xE9t\xFC" + QByteArray(65532, 'N');

// "name:score|..." over the five places.
QByteArray Described(const dz::HighScoreList& list)
{
    QByteArrayList places;
    for (const dz::HighScoreEntry& e : list)
        places << e.name + ':' + dz::NumberText(e.score).toLatin1();
    return places.join('|');
}

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void write_data()
    {
        QTest::addColumn<QByteArray>("folder"); // the files folder, in the scratch folder
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<QByteArrayList>("after"); // the folder written; empty: as it was
        QTest::addColumn<QString>("failure");      // what the player reads; empty: written
        const auto row = [](const char* name, QByteArray folder, QByteArrayList layout, QByteArrayList after,
                            QString failure = {}) { QTest::newRow(name) << folder << layout << after << failure; };
        row("disk full", {}, {"ab=o"}, {}, "the disk is full");
        row("new folders, named by bytes", "\xE9/b", {}, {"\xE9/", "\xE9/b/", "\xE9/b/ab=nnn"});
        // A killed copy's temporaries are ".ab.dirizivur-" and eight lowercase hex digits.
        const QByteArrayList others{".ab.dirizivur-0123ABCD=k", ".ab.dirizivur-0123abcde=k", ".aB.dirizivur-01234567=k",
                                    "AB=x"};
        row("exact name, mode and owner kept, a dead copy's lock and temporaries cleared", {},
            others + QByteArrayList{"ab=o", "ab:0640", "ab@65534", "ab.lock#",
                                    "ab.lock.rmlock=", ".ab.dirizivur-09afbcde=t"},
            others + QByteArrayList{"ab=nnn", "ab:0640", "ab@65534"});
        row("a folder is no file, links in any case followed to a new target and kept", {},
            {"t/", "a>t/r", "Ab>a", "AB/"}, {"t/", "t/r=nnn", "a>t/r", "Ab>a", "AB/"});
        row("read-only behind a link", {}, {"t=o", "t:0444", "ab>t"}, {}, "the file is read-only");
        row("folder in the way", {}, {"ab/"}, {}, "a folder of that name is in the way");
        row("file in place of the folder", "a", {"a=x"}, {}, "a file is in the way of the folder");
        row("held by a copy", {}, {"ab=o"}, {}, "another copy of the game is keeping it locked");
    }
    void write()
    {
        QFETCH(QByteArray, folder);
        QFETCH(QByteArrayList, layout);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, failure);
        const Scratch s(layout);
        QLockFile live(QFile::decodeName(s.path("ab.lock")));
        QVERIFY(!failure.contains("locked") || live.tryLock());
        const QByteArrayList before = s.snapshot();
        // A file-size limit stands in for a full disk: the write fails, not the game.
        rlimit limit{4096, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString written = dz::LockedFile(s.folder(folder), "ab", 100)
                                    .write(QByteArray(failure.contains("full") ? 1 << 16 : 3, 'n'))
                                    .failure;
        limit.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &limit);
        sigset_t held;
        pthread_sigmask(SIG_BLOCK, nullptr, &held);
        QVERIFY(!sigismember(&held, SIGXFSZ));
        QCOMPARE(written, failure);
        QCOMPARE(s.snapshot(), after.isEmpty() ? before : Scratch(after).snapshot());
    }

    // Both copies read the list (and ask the names) before either saves: both entries stay.
    void twoGamesSaveAtOnce()
    {
        const Scratch s;
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        dz::ReadHighScores(s.folder());
        const pid_t child = fork();
        if (child == 0) {
            dz::ReadHighScores(s.folder());
            _exit(::write(ready[1], "r", 1) != 1 || !dz::SaveHighScore(s.folder(), {{"child", 5}}).written.ok());
        }
        char c;
        QVERIFY(::read(ready[0], &c, 1) == 1 && dz::SaveHighScore(s.folder(), {{"parent", 5}}).written.ok());
        int status = -1;
        QVERIFY(waitpid(child, &status, 0) == child && status == 0);
        close(ready[0]);
        close(ready[1]);
        const dz::HighScoreList list = dz::ReadHighScores(s.folder());
        QCOMPARE(QSet<QByteArray>({list[0].name, list[1].name}), QSet<QByteArray>({"child", "parent"}));
    }

    // Killed at any moment, a writer leaves the old bytes or the new ones, nothing else.
    void killedWriter()
    {
        const QByteArray a(4096, 'a'), b(3000, 'b');
        const Scratch s({"ab=" + a});
        std::mt19937 moments(20240613);
        qInfo("kill moments drawn from seed 20240613");
        for (int round = 0; round < 100; ++round) {
            const pid_t writer = fork();
            for (int i = 0; writer == 0;)
                dz::LockedFile(s.folder(), "ab").write(++i % 2 ? a : b);
            usleep(moments() % 10000); // a write takes a few milliseconds
            kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
            const QByteArray now = Contents(s.path("ab"));
            QVERIFY2(now == a || now == b, qPrintable(QString::number(round)));
        }
    }

    void filesFolder()
    {
        const QByteArray account = QByteArray(getpwuid(getuid())->pw_dir) + "/.local/share";
        // XDG_DATA_HOME and HOME ("-": not set), and the data folder they give.
        const QByteArray rows[][3] = {{"/x/\xE9", "/h", "/x/\xE9"},    // absolute, bytes kept
                                      {"x", "/h/", "/h/.local/share"}, // relative: ignored
                                      {"-", "-", account}};
        for (const auto& [xdg, home, data] : rows) {
            for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", xdg}, {"HOME", home}})
                value == "-" ? qunsetenv(name) : qputenv(name, value);
            QCOMPARE(dz::DefaultFilesFolder().native(), data + "/DirIziVur");
        }
        QCOMPARE(dz::ProgramFolder().path(), QCoreApplication::applicationDirPath());
    }
};

class TestHighScores : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("best"); // the start-up text; "-": none
        const auto row = [](const char* name, QByteArrayList layout, QByteArray list, QString best) {
            QTest::newRow(name) << layout << list << best;
        };
        row("line ends, blanks, commas, any letter case", {"highscore.DAT= \tA, b \n \t1,5\rB\r\n2"},
            "A, b :1|B:2|:0|:0|:0", "1");
        row("empty and other scores read 0", {"HighScore.dat=A\r\n,5\r\nB\r\n\r\nC\r\nx1"}, "A:0|B:0|C:0|:0|:0", "");
        row("a first score that is no number shows 0", {"HighScore.dat=A\r\n-x"}, "A:0|:0|:0|:0|:0", "0");
        row("a long name, its line end across two reads", {"HighScore.dat=" + Long + "\r\n"}, Long + ":0|:0|:0|:0|:0",
            "-");
        row("a folder, a pipe or another name is no file", {"HighScore.dat/", "highscore.dat|", "0ighscore.dat=x"},
            ":0|:0|:0|:0|:0", "-");
    }
    void read()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(QByteArray, list);
        QFETCH(QString, best);
        const Scratch s(layout);
        const uint open = QDir("/proc/self/fd").count();
        QCOMPARE(Described(dz::ReadHighScores(s.folder())), list);
        QCOMPARE(dz::ReadStartupBestScore(s.folder()).value_or("-"), best);
        QCOMPARE(QDir("/proc/self/fd").count(), open); // every file and folder closed again
        QCOMPARE(Described(dz::ReadHighScores(s.folder("new"))), ":0|:0|:0|:0|:0");
        QCOMPARE(s.snapshot(), Scratch(layout).snapshot()); // reading makes no folder
    }

    void save_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<std::optional<dz::HighScoreEntry>>("entry"); // none: no place won
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QString>("failure"); // empty: written
        const auto row = [](const char* name, QByteArrayList layout, std::optional<dz::HighScoreEntry> entry,
                            QByteArrayList after,
                            QString failure = {}) { QTest::newRow(name) << layout << entry << after << failure; };
        const QByteArray five = "A\r\n5\r\nB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nE\r\n1\r\n", empty = "\r\n0\r\n",
                         huge((4 << 20) + 1, 'N');
        row("new file", {}, {{"AB", 102.5}}, {"HighScore.dat=AB\r\n102.5\r\n" + empty.repeated(4)});
        row("rewritten unchanged under the name found, in general form", {"highscore.DAT= \tX\r\n007.50,9\r\nY"}, {},
            {"highscore.DAT=X\r\n7.5\r\nY\r\n0\r\n" + empty.repeated(3)});
        row("an equal score goes above, the last drops out", {"HighScore.dat=" + five}, {{"Z", 1}},
            {"HighScore.dat=" + five.first(five.size() - 6) + "Z\r\n1\r\n"});
        row("below all five, lines past ten dropped", {"HighScore.dat=" + five + huge}, {{"Z", 0.5}},
            {"HighScore.dat=" + five});
        row("names kept byte for byte", {"HighScore.dat=\xE9\xFC\r\n9\r\n" + Long + "\r\n8\r\n"}, {{"\xC3\xA9", 10}},
            {"HighScore.dat=\xC3\xA9\r\n10\r\n\xE9\xFC\r\n9\r\n" + Long + "\r\n8\r\n" + empty.repeated(2)});
        row("folder in the way", {"HighScore.dat/"}, {}, {}, "a folder of that name is in the way");
        row("a line too long to keep whole", {"HighScore.dat=A\r\n1\r\n" + huge}, {{"B", 2}}, {},
            "a line of the file is too long to keep");
    }
    void save()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(std::optional<dz::HighScoreEntry>, entry);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, failure);
        const Scratch s(layout);
        const QByteArrayList before = s.snapshot();
        const dz::SavedHighScores saved = dz::SaveHighScore(s.folder(), entry);
        QCOMPARE(saved.written.failure, failure);
        QCOMPARE(s.snapshot(), after.isEmpty() ? before : Scratch(after).snapshot());
        // The list shown is the one on the disk, written or not.
        QCOMPARE(Described(saved.list), Described(dz::ReadHighScores(s.folder())));
    }

    void names()
    {
        QCOMPARE(dz::NameText("\xC3\xA9\xE2\x82\xAC"), QString::fromUtf16(u"é€"));
        // Not UTF-8: Windows-1252
        QCOMPARE(dz::NameText("\x80\x81\x9F\xA0\xE9\xFC"), QString::fromUtf16(u"€\u0081Ÿ\u00A0éü"));
        QCOMPARE(dz::NameBytes("é\r\n€"), QByteArray("é€"));
        QCOMPARE(dz::NamePromptTitle(4), "I Need Your Name"); // the last place
    }
};

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void file_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");      // of [Contest] Show, five characters at most; "-": none
        QTest::addColumn<QByteArray>("written"); // after storing Show=True
        const auto row = [](const char* name, QByteArray file, QString value, QByteArray written) {
            QTest::newRow(name) << file << value << written;
        };
        row("names in any case, blanks, quotes, an unclosed bracket, cut to five, True its start",
            " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= \"True c d\" \t\r\n[b]", "True ",
            " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= True \t\r\n[b]");
        row("lone CR, a key added after the last line", "[Contest]\rA=1", "-", "[Contest]\rA=1\rShow=True\r");
        row("only the first section counts, a new key after its last key",
            "[Contest]\nA=1\nShow\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3", "-",
            "[Contest]\nA=1\nShow=True\nShow\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3");
        row("no file", "", "-", "[Contest]\r\nShow=True\r\n");
        row("a key before any section, a section added after a last LF", "Show=1\n", "-",
            "Show=1\n[Contest]\nShow=True\n");
        row("a section added after a last CR", "[B]\r", "-", "[B]\r[Contest]\rShow=True\r");
        row("byte-order mark only", "\xEF\xBB\xBF", "-", "\xEF\xBB\xBF[Contest]\r\nShow=True\r\n");
        row("value held: the very same bytes", "\xEF\xBB\xBF[Contest]\nShow = \"True\"", "True",
            "\xEF\xBB\xBF[Contest]\nShow = \"True\"");
        const auto Utf16 = [](const QString& text) {
            return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        };
        // An unpaired surrogate and an odd last byte stay as they were.
        const QByteArray odd = "\xFF\xFE" + Utf16("[B]\nk=") + QByteArray("\x00\xD8", 2) + Utf16("\n[Contest]\n");
        row("UTF-16LE, never half a character, true is not True", odd + Utf16("Show=true\U0001F600t\n") + "\x7F",
            "true", odd + Utf16("Show=True\n") + "\x7F");
        const QByteArray big = "; " + QByteArray(1 << 20, 'x') + "\r\n";
        row("over 1 MiB, a blank value", "[Contest]\r\n" + big + "Show= \t\r\n" + big, "",
            "[Contest]\r\n" + big + "Show=True \t\r\n" + big);
    }
    void file()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        QCOMPARE(dz::ProfileString("Contest", "Show", "-", 6, file), value);
        QCOMPARE(dz::WithProfileString("Contest", "Show", "True", file), written);
        // The same as the settings file in a files folder, named in any letter case, and
        // "Don't Show Again!" ticked. A file that holds the value is not written, even
        // read-only. No file: no folder either, and reading makes none.
        QByteArrayList layout{"f/", "f/dirizivur.INI=" + file};
        if (file == written)
            layout << "f/dirizivur.INI:0444";
        const Scratch s(file.isEmpty() ? QByteArrayList() : layout);
        QCOMPARE(dz::ReadDoNotShow(s.folder("f")), value.startsWith("True"));
        QCOMPARE(s.snapshot().isEmpty(), file.isEmpty());
        QCOMPARE(dz::WriteDoNotShow(s.folder("f"), true).failure, QString());
        QCOMPARE(Contents(QFile::encodeName(dz::SettingsFilePath(s.folder("f")))), written);
    }
};

DZ_TEST(TestFiles)
DZ_TEST(TestHighScores)
DZ_TEST(TestSettingsFile)
#include "test_files.moc"
