// The files layer: the writer (what it refuses, what it keeps, two copies of the game saving at
// once), the high-score file and the settings file.
#include <QLockFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/files.h"
#include "scoring/highscores.h"
#include "support/testing.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

// "new" written to "ab" in a folder under the scratch folder, after a shell command in the
// scratch folder, where "ab" holds "old": the failure told (empty: written), and what "ab" holds.
using WriteRow = std::tuple<const char*, const char*, const char*, const char*, const char*>;
// The file's name and bytes, the best score shown at start-up, an entry saved (its name and
// score), then the file and the failure told.
using HighScoreRow = std::tuple<const char*, const char*, QByteArray, QString, const char*, double,
                                QByteArray, const char*>;
// The settings file, the value of [Contest] Show read from it (room for five characters; "-"
// for none) and the file after Show=True is stored (null: the very same bytes).
using SettingsRow = std::tuple<const char*, QByteArray, const char*, QByteArray>;

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); } // as the program does

    void write_data()
    {
        const WriteRow rows[] = {
            {"a new folder and file", "a/b", ":", "", "new"},
            {"a file without write bits is read-only, even to root", "", "chmod 444 ab",
             "the file is read-only", "old"},
            {"a link followed to its file", "", "mv ab t && ln -s t ab", "", "new"},
            {"owner, group and mode kept, set-group-ID bit included", "",
             "chown 65534:65534 ab && chmod 2660 ab", "", "new"},
            {"a loop of links", "", "rm ab && ln -s ab ab", "too many levels of symbolic links",
             "<none>"},
            {"a folder in its place", "", "rm ab && mkdir ab",
             "something that is not a file is in its place", "<none>"},
            {"a full disk keeps the old file", "", ":", "file too large", "old"},
            {"a dead copy's lock, and an empty leftover of clearing it", "",
             "echo $(sh -c 'echo $$') >ab.lock && : >ab.lock.rmlock", "", "new"},
            {"a live copy's lock", "", ":", "another copy of the game is keeping it locked", "old"},
            {"a folder in the lock's place", "", "mkdir ab.lock",
             "the lock beside the file cannot be made", "old"},
        };
        AddRows(rows);
    }
    void write()
    {
        const auto& [name, where, setup, failure, after] = Row<WriteRow>();
        const QTemporaryDir scratch;
        Write(scratch.filePath("ab"), "old");
        QCOMPARE(std::system(qPrintable("cd " + scratch.path() + " && " + setup)), 0);
        QLockFile live(scratch.filePath("ab.lock"));
        QVERIFY(!QByteArray(failure).startsWith("another") || live.tryLock());
        // A file-size limit stands in for a full disk.
        const rlim_t size = QByteArray(failure) == "file too large" ? 4096 : RLIM_INFINITY;
        const rlimit full{size, RLIM_INFINITY}, none{RLIM_INFINITY, RLIM_INFINITY};
        struct stat before, now;
        const bool was = stat(qPrintable(scratch.filePath("ab")), &before) == 0;
        setrlimit(RLIMIT_FSIZE, &full);
        const QString told =
            LockedFile(scratch.filePath(where), "ab").write("new" + QByteArray(5000, ' '));
        setrlimit(RLIMIT_FSIZE, &none);
        QCOMPARE(told, failure);
        QCOMPARE(Read(scratch.filePath(where) + "/ab").trimmed(), after);
        QVERIFY(!was || (stat(qPrintable(scratch.filePath("ab")), &now) == 0 &&
                         QList{now.st_mode, now.st_uid, now.st_gid} ==
                             QList{before.st_mode, before.st_uid, before.st_gid}));
    }

    // Two copies saving at once: both entries stay.
    void twoGamesSaveAtOnce()
    {
        const QTemporaryDir scratch;
        const pid_t child = fork();
        if (child == 0)
            _exit(SaveHighScore(scratch.path(), {{"child", 5}}).failure.isEmpty() ? 0 : 1);
        QCOMPARE(SaveHighScore(scratch.path(), {{"parent", 6}}).failure, QString());
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(status, 0);
        QCOMPARE(ReadHighScores(scratch.path()), (HighScoreList{{{"parent", 6}, {"child", 5}}}));
    }

    void highScores_data()
    {
        const QByteArray empty = "\r\n0\r\n";
        const QByteArray tooLong =
            "A\r\n5\r\n" + empty.repeated(3) + "\r\n" + QByteArray((4 << 20) + 1, 'N');
        const HighScoreRow rows[] = {
            {"line ends, blanks, commas; an equal score above; the last drops out", "highscore.DAT",
             " \tA, b \n \t007.50 \t,5\rB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nE\r\n1\r\n" + tooLong,
             "007.50 \t", "Z", 1, "A, b \r\n7.5\r\nB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nZ\r\n1\r\n", ""},
            {"a byte-order mark kept; empty scores and others read 0; a short file filled",
             "HighScore.dat",
             "\xEF\xBB\xBF"
             "A\r\n,5\r\nB\r\nx1",
             "", "Z", -1,
             "\xEF\xBB\xBF"
             "A\r\n0\r\nB\r\n0\r\n" +
                 empty.repeated(3),
             ""},
            {"a first score that is no number shows 0; an equal score goes above", "HighScore.dat",
             "A\r\ninf\r\n", "0", "\xE9", 0, "\xE9\r\n0\r\nA\r\n0\r\n" + empty.repeated(3), ""},
            {"a tenth line too long is kept", "HighScore.dat", tooLong, "5", "Z", 1, tooLong,
             "a line of the file is too long to keep"},
        };
        AddRows(rows);
    }
    void highScores()
    {
        const auto& [name, fileName, stored, best, entryName, entryScore, after, failure] =
            Row<HighScoreRow>();
        const QTemporaryDir scratch;
        Write(scratch.filePath(fileName), stored);
        QCOMPARE(ReadStartupBestScore(scratch.path()).value(), best);
        const SavedHighScores saved =
            SaveHighScore(scratch.path(), HighScoreEntry{entryName, entryScore});
        QCOMPARE(saved.failure, failure);
        QCOMPARE(Read(scratch.filePath(fileName)), after);
        QCOMPARE(saved.list, ReadHighScores(scratch.path())); // the list shown is the disk's
        QCOMPARE(NamePromptTitle(3) + NamePromptTitle(4), "I need your nameI Need Your Name");
        QCOMPARE(NameBytes(QString::fromUtf16(u"\u00E9\r\n\u20AC")), "\xC3\xA9\xE2\x82\xAC");
    }

    void settings_data()
    {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        // An unpaired surrogate and an odd last byte stay as they were.
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
    // Read and written as text, then as the settings file, named in other letters, with "Don't
    // Show Again!" ticked; a file that holds the value is not written, even read-only.
    void settings()
    {
        const auto& [name, file, value, written] = Row<SettingsRow>();
        const QByteArray after = written.isNull() ? file : written;
        QCOMPARE(ProfileString("Contest", "Show", "-", 6, file), value);
        QCOMPARE(WithProfileString("Contest", "Show", "True", file), after);
        const QTemporaryDir scratch;
        const QString path = scratch.filePath("dirizivur.INI");
        Write(path, file);
        QCOMPARE(chmod(qPrintable(path), written.isNull() ? 0444 : 0644), 0);
        QCOMPARE(ReadDoNotShow(scratch.path()), QByteArray(value).startsWith("True"));
        QCOMPARE(WriteDoNotShow(scratch.path(), true), QString());
        QCOMPARE(Read(path), after);
    }
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
