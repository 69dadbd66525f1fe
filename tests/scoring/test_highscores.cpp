// The high-score file: how it reads, where a new score goes, the bytes written back, and
// what stays on the disk when it cannot be written.
#include <QTest>

#include "engine/numbers.h"
#include "scoring/highscores.h"
#include "support/scratch.h"
#include "support/test_main.h"

namespace
{

const QByteArray Defaults = "\r\n0\r\n";
// Its line end falls across two reads of the file.
const QByteArray Long = "\xE9t\xFC" + QByteArray(65532, 'N');
const QByteArray Huge((4 << 20) + 1, 'N');

// "name:score|..." over the five places.
QByteArray Described(const dz::HighScoreList& list)
{
    QByteArrayList places;
    for (const dz::HighScoreEntry& e : list)
        places << e.name + ':' + dz::NumberText(e.score).toLatin1();
    return places.join('|');
}

// The places given, then default ones.
QByteArray Places(const QByteArray& given)
{
    return given + QByteArray("|:0").repeated(4 - given.count('|'));
}

} // namespace

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
            QTest::newRow(name) << layout << Places(list) << best;
        };
        row("CR LF, best first", {"HighScore.dat=A\r\n3\r\nB\r\n2.5\r\nC\r\n-1\r\nD\r\n0\r\nE\r\n-0.5\r\n"},
            "A:3|B:2.5|C:-1|D:0|E:-0.5", "3");
        row("LF, lone CR, no last line end", {"HighScore.dat=A\n1\rB\r\n2"}, "A:1|B:2", "1");
        row("blanks skipped, a comma ends only a score", {"HighScore.dat= \tA, b \r\n \t12,5"}, "A, b :12", "12");
        row("empty and other scores read 0", {"HighScore.dat=A\r\n,5\r\nB\r\n\r\nC\r\nx1"}, "A:0|B:0|C:0", "");
        row("a first score that is no number shows 0", {"HighScore.dat=A\r\n-x"}, "A:0", "0");
        row("past line ten ignored", {"HighScore.dat=1\n1\n2\n2\n3\n3\n4\n4\n5\n5\n6\n6\n"}, "1:1|2:2|3:3|4:4|5:5",
            "1");
        row("name bytes as stored", {"HighScore.dat=" + Long + "\r\n"}, Long + ":0", "-");
        row("any letter case", {"highscore.DAT=A\r\n1\r\n"}, "A:1", "1");
        row("no score line", {"HighScore.dat=A\r\n"}, "A:0", "-");
        row("no file", {}, ":0", "-");
        row("a folder is no file", {"HighScore.dat/"}, ":0", "-");
        row("a pipe is no file", {"HighScore.dat|"}, ":0", "-");
    }
    void read()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(QByteArray, list);
        QFETCH(QString, best);
        const dz::test::Scratch s(layout);
        const uint open = QDir("/proc/self/fd").count();
        QCOMPARE(Described(dz::ReadHighScores(s.folder())), list);
        QCOMPARE(dz::ReadStartupBestScore(s.folder()).value_or("-"), best);
        QCOMPARE(QDir("/proc/self/fd").count(), open); // every file and folder closed again
        QCOMPARE(Described(dz::ReadHighScores(s.folder("new"))), Places(":0"));
        QCOMPARE(s.entry("new"), QByteArray("nothing")); // reading makes no folder
    }

    void save_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<QByteArray>("entry"); // "name:score"; empty: none qualified
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QString>("failure");
        const QByteArray five = "A\r\n5\r\nB\r\n4\r\nC\r\n3\r\nD\r\n2\r\nE\r\n1\r\n";
        const auto row = [](const char* name, QByteArrayList layout, QByteArray entry, QByteArrayList after,
                            QString failure = {}) { QTest::newRow(name) << layout << entry << after << failure; };
        row("new file", {}, "AB:102.5", {"HighScore.dat=AB\r\n102.5\r\n" + Defaults.repeated(4)});
        row("rewritten unchanged, in general form", {"HighScore.dat= \tX\r\n007.50,9\r\nY"}, "",
            {"HighScore.dat=X\r\n7.5\r\nY\r\n0\r\n" + Defaults.repeated(3)});
        row("an equal score goes above, the last drops out", {"HighScore.dat=" + five}, "Z:3",
            {"HighScore.dat=A\r\n5\r\nB\r\n4\r\nZ\r\n3\r\nC\r\n3\r\nD\r\n2\r\n"});
        row("below all five", {"HighScore.dat=" + five}, "Z:0.5", {"HighScore.dat=" + five});
        row("last place", {"HighScore.dat=" + five}, "Z:1",
            {"HighScore.dat=" + five.first(five.size() - 6) + "Z\r\n1\r\n"});
        row("old names kept byte for byte", {"HighScore.dat=\xE9\xFC\r\n9\r\n" + Long + "\r\n8\r\n"}, "\xC3\xA9:10",
            {"HighScore.dat=\xC3\xA9\r\n10\r\n\xE9\xFC\r\n9\r\n" + Long + "\r\n8\r\n" + Defaults.repeated(2)});
        row("written back under the name found", {"highscore.DAT=A\r\n1\r\n"}, "",
            {"highscore.DAT=A\r\n1\r\n" + Defaults.repeated(4)});
        row("lines past ten neither read nor rewritten", {"HighScore.dat=" + five + Huge}, "",
            {"HighScore.dat=" + five});
        // Refused: the file stays as it was.
        row("read-only file", {"HighScore.dat=A\r\n1\r\n", "HighScore.dat:0444"}, "B:2", {}, "the file is read-only");
        row("a line too long to keep whole", {"HighScore.dat=A\r\n1\r\n" + Huge}, "B:2", {},
            "a line of the file is too long to keep");
        row("a folder in the way", {"HighScore.dat/"}, "B:2", {}, "a folder of that name is in the way");
    }
    void save()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(QByteArray, entry);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, failure);
        const dz::test::Scratch s(layout);
        std::optional<dz::HighScoreEntry> e;
        if (!entry.isEmpty())
            e = dz::HighScoreEntry{entry.left(entry.indexOf(':')), dz::TextNumber(entry.mid(entry.indexOf(':') + 1))};
        const QByteArrayList before = s.snapshot();
        const dz::SavedHighScores saved = dz::SaveHighScore(s.folder(), e);
        QCOMPARE(saved.written.failure, failure);
        QCOMPARE(s.snapshot(), failure.isEmpty() ? dz::test::Scratch(after).snapshot() : before);
        // The list shown is the one on the disk, written or not.
        QCOMPARE(Described(saved.list), Described(dz::ReadHighScores(s.folder())));
    }

    void names_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("UTF-8") << QByteArray("\xC3\xA9\xE2\x82\xAC") << QString::fromUtf16(u"é€");
        QTest::newRow("Windows-1252") << QByteArray("\x80\x81\x9F\xA0\xE9\xFC")
                                      << QString::fromUtf16(u"€\u0081Ÿ\u00A0éü");
        QTest::newRow("overlong UTF-8 is no UTF-8") << QByteArray("\xC0\xAF") << QString::fromUtf16(u"À¯");
    }
    void names()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QCOMPARE(dz::NameText(stored), shown);
        QCOMPARE(dz::NameBytes(shown + "\r\n" + shown), (shown + shown).toUtf8());
        QCOMPARE(dz::NamePromptTitle(4) + dz::NamePromptTitle(3), "I Need Your NameI need your name");
    }
};

DZ_TEST(TestHighScores)
#include "test_highscores.moc"
