// The files layer: the writer (what it refuses, what it keeps, two copies of the game saving at
// once, a writer killed midway), where the files folder is, the high-score file and the
// settings file.
#include <QLockFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/files.h"
#include "platform/folders.h"
#include "scoring/highscores.h"
#include "support/testing.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

using Text = std::optional<QString>;

namespace
{

// "<none>" for anything but a file.
QByteArray Read(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A copy of the game that took the lock and died.
void DeadCopysLock(const QString& folder)
{
    if (fork() == 0)
        _exit(QLockFile(folder + "/ab.lock").tryLock() ? 0 : 1);
    wait(nullptr);
}

// "new" written to "ab" in a folder under the scratch folder, after a setup of the scratch
// folder, where "ab" holds "old": the failure told (empty: written), and what "ab" holds then.
using Setup = std::function<void(const QString& scratch)>;
using WriteRow = std::tuple<const char*, const char*, Setup, const char*, const char*>;
// The file's name and bytes (null: no file), the best score shown at start-up, the name and
// score of an entry saved, then the file and the failure told.
using HighScoreRow = std::tuple<const char*, const char*, QByteArray, Text, const char*, double,
                                QByteArray, const char*>;
// The settings file, the value of [Contest] Show read from it (room for five characters; "-"
// for none) and the file after Show=True is stored (null: the very same bytes).
using SettingsRow = std::tuple<const char*, QByteArray, const char*, QByteArray>;

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); } // as the program does

    void write_data()
    {
        const WriteRow rows[] = {
            {"a new folder and file", "a/b", [](auto&) {}, "", "new"},
            {"a file in the way of the folder", "a/b", [](auto& f) { Write(f + "/a", "x"); },
             "the folder cannot be made", "<none>"},
            {"a file without write bits is read-only, even to root", "",
             [](auto& f) { chmod(qPrintable(f + "/ab"), 0444); }, "the file is read-only", "old"},
            {"a link followed to its file", "",
             [](auto& f) {
                 QFile::rename(f + "/ab", f + "/t") && QFile::link(f + "/t", f + "/ab");
             },
             "", "new"},
            {"a link followed to a file yet to be", "",
             [](auto& f) { QFile::remove(f + "/ab") && QFile::link(f + "/t", f + "/ab"); }, "",
             "new"},
            {"a loop of links", "",
             [](auto& f) { QFile::remove(f + "/ab") && QFile::link(f + "/ab", f + "/ab"); },
             "too many levels of symbolic links", "<none>"},
            {"a folder in its place", "",
             [](auto& f) { QFile::remove(f + "/ab") && QDir(f).mkdir("ab"); },
             "something that is not a file is in its place", "<none>"},
            {"a full disk keeps the old file", "", [](auto&) {}, "file too large", "old"},
            {"a dead copy's lock, and an empty leftover of clearing it", "",
             [](auto& f) {
                 DeadCopysLock(f);
                 Write(f + "/ab.lock.rmlock", "");
             },
             "", "new"},
            {"a live copy's lock", "", [](auto&) {},
             "another copy of the game is keeping it locked", "old"},
            {"a folder in the lock's place", "", [](auto& f) { QDir(f).mkdir("ab.lock"); },
             "the lock beside the file cannot be made", "old"},
        };
        AddRows(rows);
    }
    void write()
    {
        const auto& [name, where, setup, failure, after] = Row<WriteRow>();
        const QTemporaryDir scratch;
        const QString folder = scratch.filePath(where);
        Write(scratch.filePath("ab"), "old");
        setup(scratch.path());
        QLockFile live(scratch.filePath("ab.lock"));
        QVERIFY(!QByteArray(failure).startsWith("another") || live.tryLock());
        // A file-size limit stands in for a full disk: the write fails, not the game.
        const bool full = QByteArray(failure) == "file too large";
        const rlimit low{4096, RLIM_INFINITY};
        const rlimit high{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &low);
        const QString written =
            LockedFile(folder, "ab").write(full ? QByteArray(8192, 'n') : "new");
        setrlimit(RLIMIT_FSIZE, &high);
        QCOMPARE(written, failure);
        QCOMPARE(Read(folder + "/ab"), after);
    }

    // The replacement keeps what the old file had: owner, group and mode, set-group-ID bit
    // included; the name in other letters is the one written.
    void keepsTheFile()
    {
        const QTemporaryDir scratch;
        const QString path = scratch.filePath("AB");
        Write(path, "old");
        QCOMPARE(chown(qPrintable(path), 65534, 65534), 0);
        QCOMPARE(chmod(qPrintable(path), 02060), 0);
        QCOMPARE(LockedFile(scratch.path(), "ab").write("new"), QString());
        struct stat st;
        QCOMPARE(stat(qPrintable(path), &st), 0);
        QCOMPARE(st.st_mode & 07777, 02060u);
        QCOMPARE(st.st_uid, 65534u);
        QCOMPARE(st.st_gid, 65534u);
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files), QStringList{"AB"});
        QCOMPARE(Read(path), "new");
    }

    // Two copies saving at once: both entries stay.
    void twoGamesSaveAtOnce()
    {
        const QTemporaryDir scratch;
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            const bool told = ::write(ready[1], "r", 1) == 1;
            _exit(told && SaveHighScore(scratch.path(), {{"child", 5}}).failure.isEmpty() ? 0 : 1);
        }
        char c;
        QCOMPARE(::read(ready[0], &c, 1), 1);
        QCOMPARE(SaveHighScore(scratch.path(), {{"parent", 6}}).failure, QString());
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(status, 0);
        QCOMPARE(ReadHighScores(scratch.path()), (HighScoreList{{{"parent", 6}, {"child", 5}}}));
    }

    // Killed at any moment, a writer leaves the old bytes or the new ones, nothing else.
    void killedWriter()
    {
        const QByteArray a(4096, 'a');
        const QByteArray b(3000, 'b');
        const QTemporaryDir scratch;
        Write(scratch.filePath("ab"), a);
        std::mt19937 moments(20240613);
        qInfo("kill moments drawn from seed 20240613");
        for (int round = 0; round < 100; ++round) {
            const pid_t writer = fork();
            while (writer == 0)
                LockedFile(scratch.path(), "ab").write(round % 2 ? a : b);
            usleep(moments() % 10000); // a write takes a few milliseconds
            kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
            const QByteArray now = Read(scratch.filePath("ab"));
            QVERIFY2(now == a || now == b, qPrintable(QString::number(round)));
        }
    }

    void highScores_data()
    {
        const QByteArray empty = "\r\n0\r\n";
        const QByteArray huge((4 << 20) + 1, 'N');
        const QByteArray tooLong = "A\r\n5\r\n" + empty.repeated(3) + "\r\n" + huge;
        const HighScoreRow rows[] = {
            {"no file, a score below every place", "HighScore.dat", QByteArray(), Text(), "Z", -1,
             empty.repeated(5), ""},
            {"line ends, blanks, commas; an equal score above; the last drops out", "highscore.DAT",
             " \tA, b \n \t007.50,5\rB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nE\r\n1\r\n" + huge, "007.50",
             "Z", 1, "A, b \r\n7.5\r\nB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nZ\r\n1\r\n", ""},
            {"empty scores and others read 0, a short file is filled", "HighScore.dat",
             "A\r\n,5\r\nB\r\n\r\nC\r\nx1", "", "Z", -1,
             "A\r\n0\r\nB\r\n0\r\nC\r\n0\r\n" + empty.repeated(2), ""},
            {"a first score that is no number shows 0", "HighScore.dat", "A\r\nx\r\n", "0", "Z", -1,
             "A\r\n0\r\n" + empty.repeated(4), ""},
            {"a tenth line too long is kept", "HighScore.dat", tooLong, "5", "Z", 1, tooLong,
             "a line of the file is too long to keep"},
            {"names kept byte for byte, UTF-8 or not", "HighScore.dat", "\xE9t\xFC\r\n3\r\n", "3",
             "\xC3\xA9", 10, "\xC3\xA9\r\n10\r\n\xE9t\xFC\r\n3\r\n" + empty.repeated(3), ""},
        };
        AddRows(rows);
    }
    void highScores()
    {
        const auto& [name, fileName, stored, best, entryName, entryScore, after, failure] =
            Row<HighScoreRow>();
        const QTemporaryDir scratch;
        if (!stored.isNull())
            Write(scratch.filePath(fileName), stored);
        QCOMPARE(ReadStartupBestScore(scratch.path()), best);
        const SavedHighScores saved =
            SaveHighScore(scratch.path(), HighScoreEntry{entryName, entryScore});
        QCOMPARE(saved.failure, failure);
        QCOMPARE(Read(scratch.filePath(fileName)), after);
        QCOMPARE(saved.list, ReadHighScores(scratch.path())); // the list shown is the disk's
        QCOMPARE(NamePromptTitle(3) + u'|' + NamePromptTitle(4),
                 "I need your name|I Need Your Name");
    }

    void settings_data()
    {
        // An unpaired surrogate and an odd last byte stay as they were.
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        const QByteArray odd =
            "\xFF\xFE" + utf16("[B]\nk=") + QByteArray("\x00\xD8", 2) + utf16("\n[Contest]\n");
        const QByteArray big = "; " + QByteArray(1 << 20, 'x') + "\r\n";
        const SettingsRow rows[] = {
            {"names in any letters, blanks and quotes around them, cut to five",
             " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= \"True c d\" \t\r\n[b]", "True ",
             " [ cONTEST ] \r\n[x=1\r\n\t sHOW \t= True \t\r\n[b]"},
            {"a new key after the section's last key, in the file's line ends",
             "[Contest]\rA=1\r\n;x=1\r\n", "-", "[Contest]\rA=1\rShow=True\r\n;x=1\r\n"},
            {"only the first section of that name counts; no key without a name or =, or in a "
             "comment",
             "[Contest]\nShow\n=1\n;Show=2\n#Show=3\n[B]\nShow=4\n[contest]\nShow=5", "-",
             "[Contest]\nShow=True\nShow\n=1\n;Show=2\n#Show=3\n[B]\nShow=4\n[contest]\nShow=5"},
            {"no file", QByteArray(), "-", "[Contest]\r\nShow=True\r\n"},
            {"a key before any section, a section after a last line end", "Show=1\n", "-",
             "Show=1\n[Contest]\nShow=True\n"},
            {"a line end before a new section", "[B]\r\n[C]", "-",
             "[B]\r\n[C]\r\n[Contest]\r\nShow=True\r\n"},
            {"the value held after a byte-order mark: the very same bytes",
             "\xEF\xBB\xBF[Contest]\nShow = \"True\"", "True", QByteArray()},
            {"quotes around nothing", "[Contest]\r\nShow=''\r\n", "", "[Contest]\r\nShow=True\r\n"},
            {"UTF-16LE; never half a character; true is not True",
             odd + utf16(QString::fromUtf16(u"Show=true\U0001F600t\n")) + "\x7F", "true",
             odd + utf16("Show=True\n") + "\x7F"},
            {"over 1 MiB; a blank value", "[Contest]\r\n" + big + "Show= \t\r\n" + big, "",
             "[Contest]\r\n" + big + "Show=True \t\r\n" + big},
        };
        AddRows(rows);
    }
    void settings()
    {
        const auto& [name, file, value, written] = Row<SettingsRow>();
        const QByteArray after = written.isNull() ? file : written;
        QCOMPARE(ProfileString("Contest", "Show", "-", 6, file), value);
        QCOMPARE(WithProfileString("Contest", "Show", "True", file), after);
        // The same as the settings file, named in other letters, and "Don't Show Again!"
        // ticked. A file that holds the value is not written, even read-only.
        const QTemporaryDir scratch;
        const QString path = scratch.filePath(file.isNull() ? "DirIziVur.ini" : "dirizivur.INI");
        if (!file.isNull())
            Write(path, file);
        if (written.isNull())
            QCOMPARE(chmod(qPrintable(path), 0444), 0);
        QCOMPARE(ReadDoNotShow(scratch.path()), QByteArray(value).startsWith("True"));
        QCOMPARE(WriteDoNotShow(scratch.path(), true), QString());
        QCOMPARE(Read(path), after);
    }
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
