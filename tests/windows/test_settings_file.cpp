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
    void file_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");      // of [Contest] Show, five characters at most
        QTest::addColumn<QByteArray>("written"); // after storing Show=True; empty: not tried
        const auto row = [](const char* name, QByteArray file, QString value, QByteArray written = {}) {
            QTest::newRow(name) << file << value << written;
        };
        row("names in any letter case, blanks around", " [ cONTEST ] \r\n\t sHOW \t= a b \t\r\n[b]", "a b",
            " [ cONTEST ] \r\n\t sHOW \t= True \t\r\n[b]");
        row("one pair of quotes taken off", "[Contest]\nShow=\"'x'\"", "'x'");
        row("comments", "[Contest]\n;Show=1\n # Show=2\nShow= \t", "");
        row("lone CR, key added after the last line", "[Contest]\rA=1", "-", "[Contest]\rA=1\rShow=True\r");
        row("only the first section counts, a new key after its last",
            "[Contest]\nA=1\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3", "-",
            "[Contest]\nA=1\nShow=True\n;x=1\n#y=2\n[B]\nShow=2\n[contest]\nShow=3");
        row("a key before any section", "Show=1", "-", "Show=1\r\n[Contest]\r\nShow=True\r\n");
        row("section added after a last CR", "[B]\r", "-", "[B]\r[Contest]\rShow=True\r");
        row("section added after a last LF", "[B]\n", "-", "[B]\n[Contest]\nShow=True\n");
        row("a line without = is no key", "[Contest]\nShow \n", "-");
        row("an unclosed bracket is no section", "[Contest]\n[Show=1\nShow=2", "2");
        row("new file", "", "-", "[Contest]\r\nShow=True\r\n");
        row("byte-order mark only", "\xEF\xBB\xBF", "-", "\xEF\xBB\xBF[Contest]\r\nShow=True\r\n");
        row("value held: the very same bytes", "\xEF\xBB\xBF[Contest]\nShow = \"True\"", "True",
            "\xEF\xBB\xBF[Contest]\nShow = \"True\"");
        row("cut to five characters", "[Contest]\nShow=Truely", "Truel");
        row("never half a character", "[Contest]\nShow=abcd\xF0\x9F\x98\x80", "abcd");
        // An unpaired surrogate and an odd last byte stay as they were.
        const QByteArray odd = "\xFF\xFE" + Utf16("[B]\nk=") + QByteArray("\x00\xD8", 2) + Utf16("\n[Contest]\n");
        row("UTF-16LE", odd + Utf16("Show=\u00E9t\u00E9\n") + "\x7F", "\u00E9t\u00E9",
            odd + Utf16("Show=True\n") + "\x7F");
        row("over 1 MiB", "[Contest]\r\n" + Big + "Show=no\r\n" + Big, "no",
            "[Contest]\r\n" + Big + "Show=True\r\n" + Big);
    }
    void file()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        QCOMPARE(dz::ProfileString("Contest", "Show", "-", 6, file), value);
        if (!written.isEmpty())
            QCOMPARE(dz::WithProfileString("Contest", "Show", "True", file), written);
    }

    void flag_data()
    {
        QTest::addColumn<QByteArrayList>("layout");
        QTest::addColumn<bool>("shown"); // what ReadDoNotShow gives before the write
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QByteArrayList>("after"); // the folder; empty: as it was
        const auto row = [](const char* name, QByteArrayList layout, bool shown, bool ticked, QString failure,
                            QByteArrayList after) {
            QTest::newRow(name) << layout << shown << ticked << failure << after;
        };
        const QByteArray held = "DirIziVur.ini=[Contest]\nShow=True";
        row("no file", {}, false, true, "", {"DirIziVur.ini=[Contest]\r\nShow=True\r\n"});
        row("any letter case, True as its start", {"dirizivur.INI=[Contest]\nShow=Truex"}, true, false, "",
            {"dirizivur.INI=[Contest]\nShow=False"});
        row("true is not True", {"DirIziVur.ini=[Contest]\nShow=true"}, false, true, "", {held});
        row("value held: read-only file untouched", {held, "DirIziVur.ini:0444"}, true, true, "", {});
        row("read-only file", {held, "DirIziVur.ini:0444"}, true, false, "the file is read-only", {});
        row("folder in the way", {"DirIziVur.ini/"}, false, true, "a folder of that name is in the way", {});
    }
    void flag()
    {
        QFETCH(QByteArrayList, layout);
        QFETCH(bool, shown);
        QFETCH(bool, ticked);
        QFETCH(QString, failure);
        QFETCH(QByteArrayList, after);
        const dz::test::Scratch s(layout);
        const QByteArrayList before = s.snapshot();
        // A folder that is not there reads as "show", and reading does not make it.
        QCOMPARE(dz::ReadDoNotShow(s.folder()), !dz::ReadDoNotShow(s.folder("new")) && shown);
        QCOMPARE(dz::WriteDoNotShow(s.folder(), ticked).failure, failure);
        QCOMPARE(s.snapshot(), after.isEmpty() ? before : dz::test::Scratch(after).snapshot());
    }
};

DZ_TEST(TestSettingsFile)
#include "test_settings_file.moc"
