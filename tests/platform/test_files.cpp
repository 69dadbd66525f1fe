// The files layer: the writer (what it refuses, what it keeps, two copies of the game saving
// at once, a writer killed midway), where the files folder is, the high-score file and the
// settings file.
#include <QLockFile>
#include <QStringEncoder>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scoring/highscores.h"
#include "support/test_main.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

namespace
{

// By the path's bytes: a folder name need not be UTF-8.
QByteArray Contents(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return QByteArray::fromStdString({std::istreambuf_iterator<char>(file), {}});
}

// A scratch folder laid out by short commands, one per entry:
//   "a/b=TEXT" a file with those bytes   "a/" a folder   "a>t" a link to t   "a|" a pipe
//   "a:0444" its mode   "a@65534" its owner and group   "a#" the lock of a copy that died
struct Scratch {
    explicit Scratch(const QByteArrayList& layout = {})
    {
        for (const QByteArray& c : layout) {
            const auto mark = qsizetype(std::min(c.toStdString().find_first_of("=>:@"), size_t(c.size() - 1)));
            const QByteArray at = root + c.left(mark), value = c.mid(mark + 1);
            if (!(c[mark] == '='   ? bool(std::ofstream(at.constData()) << value.toStdString())
                  : c[mark] == '/' ? mkdir(at, 0777) == 0
                  : c[mark] == '>' ? symlink(value, at) == 0
                  : c[mark] == '|' ? mkfifo(at, 0666) == 0
                  : c[mark] == ':' ? chmod(at, value.toUInt(nullptr, 8)) == 0
                  : c[mark] == '@' ? lchown(at, value.toUInt(), value.toUInt()) == 0
                  : fork() == 0    ? (_exit(!QLockFile(QFile::decodeName(at)).tryLock()), false)
                                   : wait(nullptr) > 0))
                qFatal("cannot lay out %s", c.constData());
        }
    }
    // By bytes: a name in it need not be UTF-8.
    ~Scratch() { std::filesystem::remove_all(root.constData()); }

    dz::Folder folder(const QByteArray& name = {}) const { return dz::Folder(root + name); }

    // Every entry: its name, kind and mode, owner, and bytes or link target, in name order.
    QByteArrayList snapshot() const
    {
        QByteArrayList entries;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root.constData()))
            if (struct stat st; lstat(e.path().c_str(), &st) == 0)
                entries << e.path().c_str() + root.size() +
                               QString::asprintf(" %o %u:%u ", st.st_mode, st.st_uid, st.st_gid).toLatin1() +
                               (e.is_symlink()        ? QByteArray(read_symlink(e).c_str())
                                : e.is_regular_file() ? Contents(e.path().c_str())
                                                      : QByteArray());
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    const QByteArray root = mkdtemp(QFile::encodeName(QDir::tempPath() + "/dz-XXXXXX").data()) + QByteArray("/");
};

// A test's cases in one column, so the test takes a case apart in one line.
template <class... Column> struct Table {
    using Case = std::tuple<Column...>;
    Table() { QTest::addColumn<Case>("case"); }
    void operator()(const char* name, Column... c) const { QTest::newRow(name) << Case(std::move(c)...); }
    static Case fetch() { return *static_cast<Case*>(QTest::qData("case", qMetaTypeId<Case>())); }
};

// "name:score|..." over the five places.
QByteArray Described(const dz::HighScoreList& list)
{
    QByteArrayList places;
    for (const dz::HighScoreEntry& e : list)
        places << e.name + ':' + QByteArray::number(e.score);
    return places.join('|');
}

} // namespace

// The files folder (in the scratch folder), the layout, the folder after "nnn" is written to
// "ab" (empty: as it was) and what the player reads (empty: written).
using Writes = Table<QByteArray, QByteArrayList, QByteArrayList, QString>;

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void write_data()
    {
        const Writes row;
        row("disk full", {}, {"ab=o"}, {}, "the disk is full");
        row("new folders, named by bytes", "\xE9/b", {}, {"\xE9/", "\xE9/b/", "\xE9/b/ab=nnn"}, {});
        // A killed copy's temporaries are ".ab.dirizivur-" and eight lowercase hex digits.
        const QByteArrayList others{".ab.dirizivur-0123ABCD=k", ".ab.dirizivur-0123abcde=k", ".aB.dirizivur-01234567=k",
                                    "AB=x"};
        row("name, mode and owner kept, a dead copy's lock and temporaries gone", {},
            others + QByteArrayList{"ab=o", "ab:0640", "ab@65534", "ab.lock#",
                                    "ab.lock.rmlock=", ".ab.dirizivur-09afbcde=t"},
            others + QByteArrayList{"ab=nnn", "ab:0640", "ab@65534"}, {});
        row("a folder is no file, links in any case followed to a new target and kept", {},
            {"t/", "a>t/r", "Ab>a", "AB/"}, {"t/", "t/r=nnn", "a>t/r", "Ab>a", "AB/"}, {});
        row("read-only behind a link", {}, {"t=o", "t:0444", "ab>t"}, {}, "the file is read-only");
        row("file in place of the folder", "a", {"a=x"}, {}, "a file is in the way of the folder");
        row("held by a copy", {}, {"ab=o"}, {}, "another copy of the game is keeping it locked");
    }
    void write()
    {
        const auto [folder, layout, after, failure] = Writes::fetch();
        const Scratch s(layout);
        QLockFile live(QFile::decodeName(s.root + "ab.lock"));
        QVERIFY(!failure.contains("locked") || live.tryLock());
        const QByteArrayList before = s.snapshot();
        // A file-size limit stands in for a full disk: the write fails, not the game.
        const rlimit low{4096, RLIM_INFINITY}, high{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &low);
        const QByteArray content(failure.contains("full") ? 1 << 16 : 3, 'n');
        const QString written = dz::LockedFile(s.folder(folder), "ab", 100).write(content).failure;
        setrlimit(RLIMIT_FSIZE, &high);
        sigset_t held;
        QVERIFY(pthread_sigmask(SIG_BLOCK, nullptr, &held) == 0 && !sigismember(&held, SIGXFSZ));
        QCOMPARE(written, failure);
        QCOMPARE(s.snapshot(), after.isEmpty() ? before : Scratch(after).snapshot());
    }

    // Two copies saving at once: both entries stay.
    void twoGamesSaveAtOnce()
    {
        const Scratch s;
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t child = fork();
        if (child == 0)
            _exit(::write(ready[1], "r", 1) != 1 || !dz::SaveHighScore(s.folder(), {{"child", 5}}).written.ok());
        char c;
        int status = -1;
        QVERIFY(::read(ready[0], &c, 1) == 1 && dz::SaveHighScore(s.folder(), {{"parent", 6}}).written.ok());
        QVERIFY(waitpid(child, &status, 0) == child && status == 0);
        close(ready[0]), close(ready[1]);
        QCOMPARE(Described(dz::ReadHighScores(s.folder())), "parent:6|child:5|:0|:0|:0");
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
            while (writer == 0)
                dz::LockedFile(s.folder(), "ab").write(round % 2 ? a : b);
            usleep(moments() % 10000); // a write takes a few milliseconds
            kill(writer, SIGKILL), waitpid(writer, nullptr, 0);
            QVERIFY2(QByteArrayList({a, b}).contains(Contents(s.root + "ab")), qPrintable(QString::number(round)));
        }
    }

    void filesFolder()
    {
        // XDG_DATA_HOME and HOME ("-": not set), and the data folder they give.
        const QByteArray rows[][3] = {{"/x/\xE9", "/h", "/x/\xE9"},    // absolute, bytes kept
                                      {"x", "/h/", "/h/.local/share"}, // relative: ignored
                                      {"-", "-", QByteArray(getpwuid(getuid())->pw_dir) + "/.local/share"}};
        for (const auto& [xdg, home, data] : rows) {
            for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", xdg}, {"HOME", home}})
                value == "-" ? qunsetenv(name) : qputenv(name, value);
            QCOMPARE(dz::DefaultFilesFolder().native(), data + "/DirIziVur");
        }
        QCOMPARE(dz::ProgramFolder().path(), QCoreApplication::applicationDirPath());
    }
};

// The layout, what is read from it ("name:score|..." and the start-up text, "-": none), the
// entry saved (none: no place won), the folder after (empty: as it was) and the failure told.
using Scores = Table<QByteArrayList, QByteArray, QString, std::optional<dz::HighScoreEntry>, QByteArrayList, QString>;

class TestHighScores : public QObject
{
    Q_OBJECT
private slots:
    void file_data()
    {
        const Scores row;
        const QByteArray empty = "\r\n0\r\n", huge((4 << 20) + 1, 'N'), Long = "\xE9t\xFC" + QByteArray(65532, 'N');
        // Any line end, blanks before a name or a score, a comma in a name and after a score, the
        // name found in any letter case and kept, scores rewritten in general form; an equal score
        // goes above and the last drops out; lines past ten are never read, so none is too long.
        row("line ends, blanks, commas, placing",
            {"highscore.DAT= \tA, b \n \t007.50,5\rB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nE\r\n1\r\n" + huge},
            "A, b :7.5|B:4|C:3|D:2|E:1", "007.50", {{"Z", 1}},
            {"highscore.DAT=A, b \r\n7.5\r\nB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nZ\r\n1\r\n"}, {});
        // Scores that are empty or no number read and are written 0; a score below all five is not placed.
        row("scores read 0", {"HighScore.dat=A\r\n,5\r\nB\r\n\r\nC\r\nx1"}, "A:0|B:0|C:0|:0|:0", "", {{"Z", -1}},
            {"HighScore.dat=A\r\n0\r\nB\r\n0\r\nC\r\n0\r\n" + empty.repeated(2)}, {});
        // The start-up text of a first score that is no number; a line too long to keep is shown cut
        // and the file is left as it is.
        row("no number, too long", {"HighScore.dat=" + huge + "\r\n-x"}, huge.first(4 << 20) + ":0|:0|:0|:0|:0", "0",
            {{"B", 2}}, {}, "a line of the file is too long to keep");
        // A name whose line end falls across two reads of the file, the last of one byte; names kept
        // byte for byte, UTF-8 or not.
        row("long name", {"HighScore.dat=" + Long + "\r\n"}, Long + ":0|:0|:0|:0|:0", "-", {{"\xC3\xA9", 10}},
            {"HighScore.dat=\xC3\xA9\r\n10\r\n" + Long + "\r\n0\r\n" + empty.repeated(3)}, {});
        row("folder, pipe or other name: no file", {"HighScore.dat/", "highscore.dat|", "0ighscore.dat=x"},
            ":0|:0|:0|:0|:0", "-", {}, {}, "a folder of that name is in the way");
        row("new file, no place won", {}, ":0|:0|:0|:0|:0", "-", {}, {"HighScore.dat=" + empty.repeated(5)}, {});
    }
    void file()
    {
        const auto [layout, list, best, entry, after, failure] = Scores::fetch();
        const Scratch s(layout);
        const QByteArrayList before = s.snapshot();
        const uint open = QDir("/proc/self/fd").count();
        QCOMPARE(Described(dz::ReadHighScores(s.folder())), list);
        QCOMPARE(dz::ReadStartupBestScore(s.folder()).value_or("-"), best);
        QCOMPARE(Described(dz::ReadHighScores(s.folder("new"))), ":0|:0|:0|:0|:0");
        QCOMPARE(s.snapshot(), before); // reading makes no folder
        const dz::SavedHighScores saved = dz::SaveHighScore(s.folder(), entry);
        QCOMPARE(QDir("/proc/self/fd").count(), open); // every file and folder closed again
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

// The file, the value of [Contest] Show read from it (five characters at most; "-": none) and
// the file after Show=True is stored (empty: the very same bytes).
using Settings = Table<QByteArray, QString, QByteArray>;

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void file_data()
    {
        const Settings row;
        // Names in any case, blanks and quotes around names and values, an unclosed bracket; cut to five.
        row("blanks, quotes, cut", " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= \"True c d\" \t\r\n[b]", "True ",
            " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= True \t\r\n[b]");
        // The new key goes after the last line, in the file's line ends.
        row("lone CR", "[Contest]\rA=1", "-", "[Contest]\rA=1\rShow=True\r");
        // Comments and lines without "=" are no keys: the new key goes after the section's last key.
        row("only the first section counts", "[Contest]\nA=1\nShow\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3", "-",
            "[Contest]\nA=1\nShow=True\nShow\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3");
        row("no file", "", "-", "[Contest]\r\nShow=True\r\n");
        row("a key before any section, a section after a last LF", "Show=1\n", "-", "Show=1\n[Contest]\nShow=True\n");
        row("a section added after a last CR", "[B]\r", "-", "[B]\r[Contest]\rShow=True\r");
        row("value held: the very same bytes", "\xEF\xBB\xBF[Contest]\nShow = \"True\"", "True", {});
        row("quotes around nothing", "[Contest]\r\nShow=\"\"\r\n", "", "[Contest]\r\nShow=True\r\n");
        const auto Utf16 = [](const QString& t) { return QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(t)); };
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
        const auto [file, value, written] = Settings::fetch();
        QCOMPARE(dz::ProfileString("Contest", "Show", "-", 6, file), value);
        // The same as the settings file in a files folder, named in any letter case, and
        // "Don't Show Again!" ticked. A file that holds the value is not written, even
        // read-only. No file: no folder either, and reading makes none.
        const QByteArrayList layout{"f/", "f/dirizivur.INI=" + file, "f/dirizivur.INI:0444"};
        const Scratch s(layout.first(file.isEmpty() ? 0 : written.isEmpty() ? 3 : 2));
        QCOMPARE(dz::ReadDoNotShow(s.folder("f")), value.startsWith("True"));
        QCOMPARE(s.snapshot().isEmpty(), file.isEmpty());
        QCOMPARE(dz::WriteDoNotShow(s.folder("f"), true).failure, QString());
        QCOMPARE(Contents(QFile::encodeName(dz::SettingsFilePath(s.folder("f")))), written.isEmpty() ? file : written);
    }
};

DZ_TEST(TestFiles)
DZ_TEST(TestHighScores)
DZ_TEST(TestSettingsFile)
#include "test_files.moc"
