#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scoring/highscores.h"
#include "support/fakes.h"

using dz::HighScoreEntry;
using dz::HighScoreList;

Q_DECLARE_METATYPE(HighScoreList)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace
{

// The file as the program writes it: every line ended by CR LF.
QByteArray crlf(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

QByteArray scores(double a, double b, double c, double d, double e)
{
    QByteArray bytes;
    const char* names[] = {"Ann", "Bob", "Cy", "Di", "Ed"};
    const double values[] = {a, b, c, d, e};
    for (int i = 0; i < 5; ++i)
        bytes += QByteArray(names[i]) + "\r\n" + QByteArray::number(values[i]) + "\r\n";
    return bytes;
}

const QByteArray DefaultFile = crlf({"", "0", "", "0", "", "0", "", "0", "", "0"});

HighScoreList list(std::initializer_list<HighScoreEntry> top)
{
    HighScoreList l = dz::DefaultHighScores();
    std::copy(top.begin(), top.end(), l.begin());
    return l;
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

char* toString(const HighScoreList& l)
{
    QByteArray text;
    for (const HighScoreEntry& e : l)
        text += '"' + e.name.toUtf8() + "\" " + QByteArray::number(e.score) + "; ";
    return qstrdup(text.constData());
}

} // namespace

namespace std
{
// Lets QCOMPARE print lists.
inline char* toString(const HighScoreList& l)
{
    return ::toString(l);
}
} // namespace std

class TestHighScores : public QObject
{
    Q_OBJECT
private slots:
    void update_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("askedTitle"); // empty: no name asked for
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("no file, score 0 qualifies against the default list")
            << false << QByteArray() << 0.0 << "Zoe"
            << "I need your name" << crlf({"Zoe", "0", "", "0", "", "0", "", "0", "", "0"});
        QTest::newRow("no file, score -1 still creates the default file")
            << false << QByteArray() << -1.0 << ""
            << "" << DefaultFile;
        QTest::newRow("equal score goes above the stored one")
            << true << scores(10, 5, 3, 0, 0) << 5.0 << "Zoe"
            << "I need your name"
            << crlf({"Ann", "10", "Zoe", "5", "Bob", "5", "Cy", "3", "Di", "0"});
        QTest::newRow("place 5 has its own title")
            << true << scores(10, 5, 3, 2, 1) << 1.0 << "Zoe"
            << "I Need Your Name"
            << crlf({"Ann", "10", "Bob", "5", "Cy", "3", "Di", "2", "Zoe", "1"});
        QTest::newRow("below all five: same entries rewritten")
            << true << scores(10, 5, 3, 2, 1) << 0.5 << ""
            << "" << scores(10, 5, 3, 2, 1);
        QTest::newRow("cancel stores an empty name")
            << true << scores(10, 5, 3, 2, 1) << 102.5 << ""
            << "I need your name"
            << crlf({"", "102.5", "Ann", "10", "Bob", "5", "Cy", "3", "Di", "2"});
        QTest::newRow("kept scores are rewritten in general form")
            << true << crlf({"Ann", "007", "Bob", "  2.50", "", "", "", "0", "", "0"}) << -3.0 << ""
            << "" << crlf({"Ann", "7", "Bob", "2.5", "", "0", "", "0", "", "0"});
        QTest::newRow("typed line breaks would add lines: dropped")
            << false << QByteArray() << 2.0 << "Jo\r\nAnn\n"
            << "I need your name" << crlf({"JoAnn", "2", "", "0", "", "0", "", "0", "", "0"});
        QTest::newRow("short file: missing entries are default ones")
            << true << crlf({"Ann", "10", "Bob"}) << 1.0 << "Zoe"
            << "I need your name" << crlf({"Ann", "10", "Zoe", "1", "Bob", "0", "", "0", "", "0"});
    }
    void update()
    {
        QFETCH(bool, hasFile);
        QFETCH(QByteArray, before);
        QFETCH(double, current);
        QFETCH(QString, typed);
        QFETCH(QString, askedTitle);
        QFETCH(QByteArray, after);

        QTemporaryDir dir;
        const QString file = dir.filePath("HighScore.dat");
        if (hasFile)
            put(file, before);
        dz::test::ScriptedDialogs dialogs;
        dialogs.typeNext(typed);

        const HighScoreList shown = dz::UpdateHighScoreList(dir.path(), current, dialogs);

        QList<dz::test::ShownMessage> asked;
        if (!askedTitle.isEmpty())
            asked.append(
                {"inputbox", "You made the highscore list!  What's your name?", askedTitle, 0});
        QCOMPARE(dialogs.shown, asked);
        QCOMPARE(get(file), after);
        QCOMPARE(shown, dz::ReadHighScores(dir.path()));
    }

    void partsExampleIsByteExact()
    {
        QTemporaryDir dir;
        QVERIFY(dz::WriteHighScores(dir.path(), list({{"AB", 102.5}})));
        const QByteArray expected("AB\r\n102.5\r\n\r\n0\r\n\r\n0\r\n\r\n0\r\n\r\n0\r\n");
        QCOMPARE(expected.size(), 31);
        QCOMPARE(get(dir.filePath("HighScore.dat")), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<HighScoreList>("written");
        QTest::addColumn<HighScoreList>("readBack");
        const HighScoreList plain = list({{"Ann", 100.5}, {"Bob", -0.5}, {"", -3}});
        QTest::newRow("plain names, halves and negatives") << plain << plain;
        const HighScoreList commas = list({{"Smith, John", 3}, {",", 2}, {"a,b,c", 1}});
        QTest::newRow("commas stay in their name") << commas << commas;
        const HighScoreList letters =
            list({{QString::fromUtf8("Zoë Ångström"), 2}, {QString::fromUtf8("Дима 🎲"), 1}});
        QTest::newRow("letters beyond ASCII") << letters << letters;
        QTest::newRow("leading blanks are skipped when read")
            << list({{"  Ann", 2}, {"\tBob  ", 1}}) << list({{"Ann", 2}, {"Bob  ", 1}});
    }
    void roundTrip()
    {
        QFETCH(HighScoreList, written);
        QFETCH(HighScoreList, readBack);
        QTemporaryDir dir;
        QVERIFY(dz::WriteHighScores(dir.path(), written));
        QCOMPARE(dz::ReadHighScores(dir.path()), readBack);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<HighScoreList>("expected");
        QTest::newRow("empty file") << QByteArray() << dz::DefaultHighScores();
        QTest::newRow("score that is not a number reads 0")
            << crlf({"Ann", "lots", "Bob", "-"}) << list({{"Ann", 0}, {"Bob", 0}});
        QTest::newRow("score ends at a comma")
            << crlf({"Ann", "1,5", "Bob", " 2 , 9"}) << list({{"Ann", 1}, {"Bob", 2}});
        QTest::newRow("empty score line reads 0")
            << crlf({"Ann", "", "Bob", "3"}) << list({{"Ann", 0}, {"Bob", 3}});
        QTest::newRow("LF and lone CR end lines too")
            << QByteArray("Ann\n4\rBob\r\n3") << list({{"Ann", 4}, {"Bob", 3}});
        QTest::newRow("anything after ten lines is ignored")
            << scores(5, 4, 3, 2, 1) + "Eve\r\n99\r\n"
            << list({{"Ann", 5}, {"Bob", 4}, {"Cy", 3}, {"Di", 2}, {"Ed", 1}});
        QTest::newRow("bytes that are not UTF-8 do not stop the reading")
            << QByteArray("Ren\xE9\r\n2\r\n\xFF\xFE\r\n1\r\n")
            << list({{QString::fromUtf8("Ren\uFFFD"), 2}, {QString::fromUtf8("\uFFFD\uFFFD"), 1}});
        const QByteArray longName(300000, 'x');
        QTest::newRow("a huge name line is cut, the entries below still read")
            << crlf({longName.constData(), "9", "Bob", "8"})
            << list({{QString(4096, u'x'), 9}, {"Bob", 8}});
        QTest::newRow("a cut never splits a character")
            << crlf({(QByteArray(4095, 'x') + "\xC3\xA9" + "yy").constData(), "1"})
            << list({{QString(4095, u'x'), 1}});
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(HighScoreList, expected);
        QTemporaryDir dir;
        put(dir.filePath("HighScore.dat"), content);
        QCOMPARE(dz::ReadHighScores(dir.path()), expected);
    }

    void startupBestScore_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("no file keeps the design text")
            << false << QByteArray() << std::optional<QString>();
        QTest::newRow("stored list")
            << true << scores(102.5, 4, 3, 2, 1) << std::optional<QString>("102.5");
        QTest::newRow("text as stored")
            << true << crlf({"Ann", "  007"}) << std::optional<QString>("007");
        QTest::newRow("empty score line gives an empty text")
            << true << crlf({"Ann", "", "Bob", "3"}) << std::optional<QString>("");
        QTest::newRow("score ends at a comma")
            << true << crlf({"Ann", "1,5"}) << std::optional<QString>("1");
        QTest::newRow("garbage shows 0")
            << true << crlf({"Ann", "lots of points"}) << std::optional<QString>("0");
        QTest::newRow("number then garbage shows 0")
            << true << crlf({"Ann", "12abc"}) << std::optional<QString>("0");
        QTest::newRow("no score line") << true << crlf({"Ann"}) << std::optional<QString>();
        QTest::newRow("empty file") << true << QByteArray() << std::optional<QString>();
    }
    void startupBestScore()
    {
        QFETCH(bool, hasFile);
        QFETCH(QByteArray, content);
        QFETCH(std::optional<QString>, expected);
        QTemporaryDir dir;
        if (hasFile)
            put(dir.filePath("highscore.dat"), content);
        QCOMPARE(dz::ReadStartupBestScore(dir.path()), expected);
    }

    void anyLetterCaseIsTheOneFile_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("lower case") << "highscore.dat";
        QTest::newRow("upper case") << "HIGHSCORE.DAT";
        QTest::newRow("as the program names it") << "HighScore.dat";
    }
    void anyLetterCaseIsTheOneFile()
    {
        QFETCH(QString, stored);
        QTemporaryDir dir;
        put(dir.filePath(stored), scores(10, 5, 3, 2, 1));
        QCOMPARE(dz::ReadStartupBestScore(dir.path()), std::optional<QString>("10"));

        dz::test::ScriptedDialogs dialogs;
        dialogs.typeNext("Zoe");
        dz::UpdateHighScoreList(dir.path(), 4, dialogs);

        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{stored});
        QCOMPARE(dz::ReadHighScores(dir.path())[2], (HighScoreEntry{"Zoe", 4}));
    }

    // Neither is read: a pipe would block the program for good.
    void notARegularFileIsNoFile_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("named pipe") << true;
    }
    void notARegularFileIsNoFile()
    {
        QFETCH(bool, pipe);
        QTemporaryDir dir;
        const QString path = dir.filePath("HighScore.dat");
        if (pipe)
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir(dir.path()).mkdir("HighScore.dat"));
        QCOMPARE(dz::ReadHighScores(dir.path()), dz::DefaultHighScores());
        QCOMPARE(dz::ReadStartupBestScore(dir.path()), std::nullopt);

        dz::test::ScriptedDialogs dialogs;
        dialogs.typeNext("Zoe");
        const HighScoreList shown = dz::UpdateHighScoreList(dir.path(), 1, dialogs);
        QCOMPARE(shown, list({{"Zoe", 1}})); // shown even where it cannot be stored
        if (!pipe)
            QVERIFY(QFileInfo(path).isDir());
    }

    void writeFailureIsReportedAndHarmless()
    {
        QTemporaryDir dir;
        put(dir.filePath("plain"), "not a folder");
        const QString folder = dir.filePath("plain/DirIziVur"); // its parent is a file
        QVERIFY(!dz::WriteHighScores(folder, list({{"Ann", 1}})));

        dz::test::ScriptedDialogs dialogs;
        dialogs.typeNext("Zoe");
        QCOMPARE(dz::UpdateHighScoreList(folder, 1, dialogs), list({{"Zoe", 1}}));
        QCOMPARE(dialogs.shown.size(), 1); // no message about the failed write
    }

    void missingFolderIsCreated()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("a/b/DirIziVur");
        QVERIFY(dz::WriteHighScores(folder, list({{"Ann", 1}})));
        QCOMPARE(dz::ReadHighScores(folder), list({{"Ann", 1}}));
    }

    // A write stopped midway (here by the file-size limit, as by a full disk) must leave
    // the old list whole.
    void cutOffWriteKeepsTheOldList()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("HighScore.dat");
        const QByteArray old = scores(10, 5, 3, 2, 1);
        put(file, old);

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{20, 20};
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool written = dz::WriteHighScores(dir.path(), list({{QString(200, u'z'), 99}}));
            _exit(written ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // the failure was reported
        QCOMPARE(get(file), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"HighScore.dat"});
    }

    // A multi-gigabyte file (sparse, so the test is cheap) is only read as far as needed.
    void hugeFileIsReadOnlyAsFarAsNeeded()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("HighScore.dat");
        put(file, scores(10, 5, 3, 2, 1));
        QFile f(file);
        QVERIFY(f.resize(qint64(4) << 30));

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(dz::ReadHighScores(dir.path()),
                 list({{"Ann", 10}, {"Bob", 5}, {"Cy", 3}, {"Di", 2}, {"Ed", 1}}));

        // One endless line of zero bytes: a cut name, nothing else, and no hang.
        put(file, QByteArray());
        QVERIFY(f.resize(qint64(4) << 30));
        const HighScoreList l = dz::ReadHighScores(dir.path());
        QCOMPARE(l[0].name.size(), 4096);
        QCOMPARE(l[1], HighScoreEntry{});
        QCOMPARE(dz::ReadStartupBestScore(dir.path()), std::nullopt);
        QVERIFY2(timer.elapsed() < 5000, "the whole file was read");
    }
};

QTEST_GUILESS_MAIN(TestHighScores)
#include "test_highscores.moc"
