#include <QDir>
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

// A file as a picture "name|score|name|score...", place 1 first, ending with default
// entries up to ten lines, each line ended by CR LF as the program writes.
static QByteArray dat(const QByteArray& picture)
{
    QList<QByteArray> lines = picture.split('|');
    while (lines.size() < 10)
        lines << QByteArray() << "0";
    return lines.join("\r\n") + "\r\n";
}

static void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

static QByteArray get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

static const QByteArray Five = dat("Ann|10|Bob|5|Cy|3|Di|2|Ed|1");

class TestHighScores : public QObject
{
    Q_OBJECT
private slots:
    // `best` is the start-up best score read from the file before the run's end. A stored
    // file keeps the letter case of its name.
    void update_data()
    {
        QTest::addColumn<QString>("best");      // "<none>": nothing shown
        QTest::addColumn<QByteArray>("before"); // "<none>": no file; "<sparse>": 4 GB of zeros
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("asked"); // "name box title: typed answer"; empty: not asked
        QTest::addColumn<QByteArray>("after");
        const QByteArray none("<none>"), x4095(4095, 'x'), y300000(300000, 'y');
        const QString no, asks("I need your name: ");
        // clang-format off
        QTest::newRow("no file, 0 qualifies") << "<none>" << none << 0. << asks + "AB"
            << QByteArray("AB\r\n0\r\n\r\n0\r\n\r\n0\r\n\r\n0\r\n\r\n0\r\n");
        QTest::newRow("no file, -1: default file") << "<none>" << none << -1. << no << dat("|0");
        QTest::newRow("equal score goes above: place 2; best as stored") << "010"
            << dat("Ann| 010|Bob|5|Cy|3") << 5. << asks + "Zoe" << dat("Ann|10|Zoe|5|Bob|5|Cy|3");
        QTest::newRow("place 5 has its own title")
            << "10" << Five << 1. << "I Need Your Name: Zoe" << dat("Ann|10|Bob|5|Cy|3|Di|2|Zoe|1");
        QTest::newRow("below all five; lines past ten dropped")
            << "10" << Five + "Eve\r\n9\r\n" << .5 << no << Five;
        QTest::newRow("cancel: empty name; no score line")
            << "<none>" << QByteArray("Ann") << 102.5 << asks << dat("|102.5|Ann|0");
        QTest::newRow("typed line breaks dropped; empty score line")
            << "" << QByteArray("Ann\r\n\r\n") << 2. << asks + "Jo\r\nAnn" << dat("JoAnn|2|Ann|0");
        QTest::newRow("short LF/CR file, junk after a score, a comma, garbage best")
            << "0" << QByteArray("Ann\n12abc\rBob\r\n 2,5\r\nCy\nlots") << -3. << no
            << dat("Ann|12|Bob|2|Cy|0");
        QTest::newRow("commas, letters beyond ASCII, leading blanks, a huge name cut")
            << "3" << dat("Smith, John|3|Zoë Дима|2| \tAnn|1|" + x4095 + "é" + y300000 + "|1")
            << -1. << no << dat("Smith, John|3|Zoë Дима|2|Ann|1|" + x4095 + "|1");
        QTest::newRow("4 GB sparse line of zero bytes: a cut name, nothing else, no hang")
            << "<none>" << QByteArray("<sparse>") << -1. << no << dat(QByteArray(4096, 0) + "|0");
        // clang-format on
    }
    void update()
    {
        QFETCH(QString, best);
        QFETCH(QByteArray, before);
        QFETCH(double, current);
        QFETCH(QString, asked);
        QFETCH(QByteArray, after);
        QTemporaryDir dir; // no file: no files folder either, as at the first run
        const QString folder = dir.filePath("DirIziVur");
        const QString name = before == "<none>" ? "HighScore.dat" : "HIGHSCORE.DAT";
        const QString file = folder + '/' + name;
        if (before != "<none>" && QDir().mkpath(folder))
            put(file, before == "<sparse>" ? QByteArray() : before);
        QVERIFY(before != "<sparse>" || QFile(file).resize(qint64(4) << 30));
        QCOMPARE(dz::ReadStartupBestScore(folder).value_or("<none>"), best);
        dz::test::ScriptedDialogs dialogs;
        dialogs.typeNext(asked.section(": ", 1));
        const dz::HighScoreList shown = dz::UpdateHighScoreList(folder, current, dialogs);
        QCOMPARE(dialogs.shown.value(0).title, asked.section(": ", 0, 0));
        QCOMPARE(get(file), after);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        QCOMPARE(shown, dz::ReadHighScores(folder));
    }

    // None is read (a pipe would block the program for good) and a failed write is
    // no concern of the player's: the list is still shown, nothing else.
    void unusablePlace()
    {
        for (const QString kind : {"folder", "pipe"}) {
            QTemporaryDir dir;
            const QString path = dir.filePath("HighScore.dat");
            QVERIFY(kind != "pipe" || mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            QVERIFY(kind != "folder" || QDir().mkdir(path));
            QCOMPARE(dz::ReadStartupBestScore(dir.path()), std::nullopt);
            dz::test::ScriptedDialogs dialogs;
            dialogs.typeNext("Zoe");
            QCOMPARE(dz::UpdateHighScoreList(dir.path(), 1, dialogs),
                     (dz::HighScoreList{{{"Zoe", 1}}}));
            QCOMPARE(dialogs.shown.size(), 1); // no message about the failed write
            QVERIFY(kind == "pipe" || !dz::WriteHighScores(dir.path(), {}));
        }
    }

    // A write stopped midway (by the file-size limit, as by a full disk) keeps the old list.
    void cutOffWriteKeepsTheOldList()
    {
        QTemporaryDir dir;
        put(dir.filePath("HighScore.dat"), Five);
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{20, 20};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(dz::WriteHighScores(dir.path(), {{{QString(200, u'z'), 99}}}) ? 1 : 0);
        }
        int status = 0;
        QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
        QCOMPARE(status, 0); // exited normally, the failure reported
        QCOMPARE(get(dir.filePath("HighScore.dat")), Five);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"HighScore.dat"});
    }
};

QTEST_GUILESS_MAIN(TestHighScores)
#include "test_highscores.moc"
