// The settings file: how a value is found, what a write changes (only what it must),
// the UTF-16 and large files, and the "Don't Show Again!" flag kept in it.
#include <QTest>

#include "support/scratch.h"
#include "support/test_main.h"
#include "windows/contest_flag.h"
#include "windows/profile.h"

namespace
{

QByteArray Utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

const QByteArray Big = "; " + QByteArray(1 << 20, 'x') + "\r\n";

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("value"); // "-": the default
        const auto row = [](const char* name, QByteArray file, QString value, QString key = "Show",
                            int room = 100) {
            QTest::newRow(name) << file << key << room << value;
        };
        row("plain", "[Contest]\r\nShow=True\r\n", "True");
        row("names in any letter case, blanks around", " [ cONTEST ] \n\t sHOW \t=  a b \t\n",
            "a b");
        row("one pair of quotes taken off", "[Contest]\nShow=\"'x'\"\n", "'x'");
        row("unmatched quotes kept", "[Contest]\nShow=\"x'\n", "\"x'");
        row("comments", "[Contest]\n;Show=1\n # Show=2\nShow=3", "3");
        row("lone CR", "[Contest]\rShow=True\rx=1", "True");
        row("only the first section counts", "[Contest]\nA=1\n[B]\nShow=2\n[contest]\nShow=3\n",
            "-");
        row("a key before any section", "Show=1\n[Contest]\n", "-");
        row("a line without = is no key", "[Contest]\nShow\n", "-");
        row("an unclosed bracket starts a key", "[Contest]\n[Show=1\n", "1", "[Show");
        row("UTF-8 byte-order mark", "\xEF\xBB\xBF[Contest]\nShow=True", "True");
        row("UTF-16LE", "\xFF\xFE" + Utf16("[Contest]\r\nShow=\u00E9t\u00E9\r\n"), "\u00E9t\u00E9");
        row("over 1 MiB", "[Contest]\r\n" + Big + "Show=True\r\n", "True");
        row("cut to the room", "[Contest]\nShow=True\n", "Tr", "Show", 3);
        row("never half a character", "[Contest]\nShow=a\xF0\x9F\x98\x80\n", "a", "Show", 3);
        row("no room", "[Contest]\nShow=True\n", "", "Show", 1);
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(int, room);
        QFETCH(QString, value);
        QCOMPARE(dz::ProfileString("Contest", key, "-", room, file), value);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written"); // after storing Show=True in [Contest]
        const auto row = [](const char* name, QByteArray file, QByteArray written) {
            QTest::newRow(name) << file << written;
        };
        row("value replaced, blanks and letter case kept", " [contest] \r\n show = 'no' \r\n[b]",
            " [contest] \r\n show = True \r\n[b]");
        row("key added at the section's end", "[Contest]\nA=1\n\n[B]\n",
            "[Contest]\nA=1\nShow=True\n\n[B]\n");
        row("key after a last line without its end", "[Contest]\rA=1",
            "[Contest]\rA=1\rShow=True\r");
        row("section added at the end", "[B]\r\nx=1", "[B]\r\nx=1\r\n[Contest]\r\nShow=True\r\n");
        row("new file", "", "[Contest]\r\nShow=True\r\n");
        row("byte-order mark only", "\xEF\xBB\xBF", "\xEF\xBB\xBF[Contest]\r\nShow=True\r\n");
        row("value already held: same bytes", "[Contest]\nShow = \"True\"",
            "[Contest]\nShow = \"True\"");
        // An unpaired surrogate and an odd last byte stay as they were.
        const QByteArray odd = "\xFF\xFE" + Utf16("[B]\nk=") + "\x00\xD8" + Utf16("\n[Contest]\n");
        row("UTF-16LE", odd + Utf16("Show=no\n") + "\x7F", odd + Utf16("Show=True\n") + "\x7F");
        row("UTF-16LE key added", odd + "\x7F", odd + Utf16("Show=True\n") + "\x7F");
        row("over 1 MiB", "[Contest]\r\n" + Big + "Show=no\r\n" + Big,
            "[Contest]\r\n" + Big + "Show=True\r\n" + Big);
    }
    void write()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, written);
        QCOMPARE(dz::WithProfileString("Contest", "Show", "True", file), written);
    }

    void flag_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<bool>("shown"); // what ReadDoNotShow gives before the write
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QByteArrayList>("after"); // on failure: nothing changed
        const auto row = [](const char* name, QByteArrayList layout, bool shown, bool ticked,
                            QString failure, QByteArrayList after) {
            QTest::newRow(name) << layout << shown << ticked << failure << after;
        };
        const QByteArray held = "DirIziVur.ini=[Contest]\nShow=True";
        row("no file", {}, false, true, "", {"DirIziVur.ini=[Contest]\r\nShow=True\r\n"});
        row("any letter case, True as its start", {"dirizivur.INI=[Contest]\nShow=Truex"}, true,
            false, "", {"dirizivur.INI=[Contest]\nShow=False", "DirIziVur.ini~"});
        row("true is not True", {"DirIziVur.ini=[Contest]\nShow=true"}, false, true, "", {held});
        row("value held: read-only file untouched", {held, "DirIziVur.ini:0444"}, true, true, "",
            {});
        row("read-only file", {held, "DirIziVur.ini:0444"}, true, false, "the file is read-only",
            {});
        row("folder in the way", {"DirIziVur.ini/"}, false, true,
            "a folder of that name is in the way", {});
    }
    void flag()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(bool, shown);
        QFETCH(bool, ticked);
        QFETCH(QString, failure);
        QFETCH(QByteArrayList, after);
        dz::test::Scratch s;
        s.lay(layout);
        const QByteArrayList before = s.snapshot();
        QCOMPARE(dz::ReadDoNotShow(s.folder()), shown);
        QCOMPARE(dz::WriteDoNotShow(s.folder(), ticked).failure, failure);
        QCOMPARE(s.mismatches(after), QByteArrayList());
        QVERIFY(!after.isEmpty() || s.snapshot() == before);
    }
};

DZ_TEST(TestSettingsFile)
#include "test_settings_file.moc"
