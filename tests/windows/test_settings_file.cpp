#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "windows/contest_flag.h"
#include "windows/profile.h"

using dz::GetPrivateProfileString;
using dz::WritePrivateProfileString;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A file whose [Contest] Show value is followed by `padding` bytes of comment.
QByteArray withPadding(const QByteArray& value, qsizetype padding)
{
    return "[Contest]\r\nShow=" + value + "\r\n;" + QByteArray(padding, 'x') + "\r\n";
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");
        const QString dflt = QStringLiteral("<default>");

        QTest::newRow("plain CRLF") << QByteArray("[Contest]\r\nShow=True\r\n") << "True";
        QTest::newRow("names in other letter case")
            << QByteArray("[cOnTeSt]\r\nsHOW=True\r\n") << "True";
        QTest::newRow("blanks and tabs around names, = and value")
            << QByteArray(" \t[ Contest\t]  \n\t Show \t=  \tTrue \t \n") << "True";
        QTest::newRow("double quotes dropped") << QByteArray("[Contest]\nShow=\"a b\"\n") << "a b";
        QTest::newRow("single quotes dropped") << QByteArray("[Contest]\nShow='x'\n") << "x";
        QTest::newRow("unmatched quotes kept") << QByteArray("[Contest]\nShow=\"x'\n") << "\"x'";
        QTest::newRow("first of two keys") << QByteArray("[Contest]\nShow=1\nSHOW=2\n") << "1";
        QTest::newRow("only the first section of a name counts")
            << QByteArray("[Contest]\nOther=1\n[contest]\nShow=2\n") << dflt;
        QTest::newRow("key before any section belongs to none")
            << QByteArray("Show=True\n[Contest]\n") << dflt;
        QTest::newRow("key of another section")
            << QByteArray("[Other]\nShow=True\n[Contest]\nX=1\n") << dflt;
        QTest::newRow("comments skipped")
            << QByteArray("[Contest]\n;Show=1\n  # Show=2\nShow=3\n") << "3";
        QTest::newRow("unclosed bracket is no header")
            << QByteArray("[Contest\nShow=True\n") << dflt;
        QTest::newRow("text after the header") << QByteArray("[Contest] ; note\nShow=x\n") << "x";
        QTest::newRow("CR line ends") << QByteArray("[Other]\rShow=1\r[Contest]\rShow=2\r") << "2";
        QTest::newRow("mixed line ends")
            << QByteArray("[Other]\r\nShow=1\n[Contest]\rA=0\r\nShow=2") << "2";
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Contest]\r\nShow=True\r\n") << "True";
        QTest::newRow("empty value") << QByteArray("[Contest]\nShow=\n") << "";
        QTest::newRow("= inside the value") << QByteArray("[Contest]\nShow=a=b\n") << "a=b";
        QTest::newRow("missing key") << QByteArray("[Contest]\nShown=True\n") << dflt;
        QTest::newRow("binary junk") << QByteArray("\0\xFF[\0]=\r\r\n=\n", 11) << dflt;
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("test.ini");
        writeBytes(path, file);
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "<default>", 64, path), value);
    }

    void readCutsToSize()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("test.ini");
        writeBytes(path, QString::fromUtf8("[Contest]\nShow=TrueBlue\nHalf=a😀\n").toUtf8());
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "", 6, path), "TrueB");
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "", 1, path), "");
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "", 0, path), "");
        QCOMPARE(GetPrivateProfileString("Contest", "Half", "", 3, path), "a"); // no half character
        QCOMPARE(GetPrivateProfileString("Contest", "None", "False", 3, path), "Fa");
    }

    void readGivesDefaultForWhatIsNoFile()
    {
        QTemporaryDir dir;
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "False", 6, dir.filePath("none.ini")),
                 "False");
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "False", 6, dir.path()), "False");
    }

    void hugeFilesAreReadOnlyAsFarAsTheCap()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("huge.ini");
        // One line of three megabytes must neither crash nor be loaded whole.
        writeBytes(path, "[Contest]\nShow=True" + QByteArray(3 << 20, 'e') + "\n");
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "False", 6, path), "Truee");
        // A key past the cap is not seen.
        writeBytes(path, ";" + QByteArray(dz::MaxProfileFileBytes, 'x') + "\n[Contest]\nShow=1\n");
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "False", 6, path), "False");
    }

    void doNotShow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("set");
        QTest::newRow("True") << QByteArray("[Contest]\r\nShow=True\r\n") << true;
        QTest::newRow("False") << QByteArray("[Contest]\r\nShow=False\r\n") << false;
        QTest::newRow("lower-case true is not set")
            << QByteArray("[Contest]\nShow=true\n") << false;
        QTest::newRow("True followed by letters is set")
            << QByteArray("[Contest]\nShow=Trueish nonsense\n") << true;
        QTest::newRow("empty is not set") << QByteArray("[Contest]\nShow=\n") << false;
        QTest::newRow("huge value") << withPadding("True" + QByteArray(2 << 20, 'x'), 0) << true;
    }
    void doNotShow()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, set);
        QTemporaryDir dir;
        writeBytes(dir.filePath("DirIziVur.ini"), file);
        QCOMPARE(dz::ReadDoNotShow(dir.path()), set);
    }

    void doNotShowFindsFileInOtherLetterCase()
    {
        QTemporaryDir dir;
        QVERIFY(!dz::ReadDoNotShow(dir.path()));
        writeBytes(dir.filePath("dirizivur.INI"), "[Contest]\nShow=True\n");
        QVERIFY(dz::ReadDoNotShow(dir.path()));
        dz::WriteDoNotShow(dir.path(), false);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"dirizivur.INI"});
        QVERIFY(!dz::ReadDoNotShow(dir.path()));
    }

    void writeDoNotShowCreatesFolderAndFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("a/b");
        dz::WriteDoNotShow(folder, true);
        QCOMPARE(readBytes(folder + "/DirIziVur.ini"), "[Contest]\r\nShow=True\r\n");
        QVERIFY(dz::ReadDoNotShow(folder));
        dz::WriteDoNotShow(folder, false);
        QCOMPARE(readBytes(folder + "/DirIziVur.ini"), "[Contest]\r\nShow=False\r\n");
        QVERIFY(!dz::ReadDoNotShow(folder));
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file with CRLF")
            << QByteArray("<missing>") << QByteArray("[Contest]\r\nShow=True\r\n");
        QTest::newRow("only the value changes")
            << QByteArray("; mine\r\n\r\n[contest]\r\n  SHOW = False  \r\nOther=1\r\n\r\n"
                          "[Next]\r\nShow=False\r\n")
            << QByteArray("; mine\r\n\r\n[contest]\r\n  SHOW = True  \r\nOther=1\r\n\r\n"
                          "[Next]\r\nShow=False\r\n");
        QTest::newRow("quoted value replaced")
            << QByteArray("[Contest]\nShow=\"False\"\n") << QByteArray("[Contest]\nShow=True\n");
        QTest::newRow("empty value filled")
            << QByteArray("[Contest]\nShow=  \n") << QByteArray("[Contest]\nShow=True  \n");
        QTest::newRow("key added after the section's last key")
            << QByteArray("[Contest]\nA=1\n; about Next\n\n[Next]\nB=2\n")
            << QByteArray("[Contest]\nA=1\nShow=True\n; about Next\n\n[Next]\nB=2\n");
        QTest::newRow("key added under an empty section's header")
            << QByteArray("[Contest]\r\n;Show=False\r\n[Next]\r\n")
            << QByteArray("[Contest]\r\nShow=True\r\n;Show=False\r\n[Next]\r\n");
        QTest::newRow("key added after a last line without line end")
            << QByteArray("[Contest]\nA=1") << QByteArray("[Contest]\nA=1\nShow=True\n");
        QTest::newRow("section appended with the file's line ends")
            << QByteArray("[Other]\nA=1\n") << QByteArray("[Other]\nA=1\n[Contest]\nShow=True\n");
        QTest::newRow("section appended after a last line without end")
            << QByteArray("[Other]\rA=1") << QByteArray("[Other]\rA=1\r[Contest]\rShow=True\r");
        QTest::newRow("key before any section left alone")
            << QByteArray("Show=False\n") << QByteArray("Show=False\n[Contest]\nShow=True\n");
        QTest::newRow("only the first of two sections changes")
            << QByteArray("[Contest]\nA=1\n[CONTEST]\nShow=False\n")
            << QByteArray("[Contest]\nA=1\nShow=True\n[CONTEST]\nShow=False\n");
        QTest::newRow("byte-order mark kept")
            << QByteArray("\xEF\xBB\xBF[Contest]\r\nShow=False\r\n")
            << QByteArray("\xEF\xBB\xBF[Contest]\r\nShow=True\r\n");
        QTest::newRow("file of a byte-order mark only")
            << QByteArray("\xEF\xBB\xBF") << QByteArray("\xEF\xBB\xBF[Contest]\r\nShow=True\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("test.ini");
        if (before != "<missing>")
            writeBytes(path, before);
        QVERIFY(WritePrivateProfileString("Contest", "Show", "True", path));
        QCOMPARE(readBytes(path), after);
        QCOMPARE(GetPrivateProfileString("Contest", "Show", "", 64, path), "True");
    }

    void writingTheStoredValueLeavesTheFileUntouched()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("test.ini");
        const QByteArray bytes("[Contest]\n Show = \"True\" \n");
        writeBytes(path, bytes);
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        QVERIFY(WritePrivateProfileString("contest", "SHOW", "True", path));
        QCOMPARE(readBytes(path), bytes);
        QCOMPARE(QFileInfo(path).lastModified().toUTC(), past);
    }

    void failedWritesLeaveEverythingAsItWas()
    {
        QTemporaryDir dir;
        // Tests run as root, which writes anywhere: a parent that is a file still fails.
        const QString plainFile = dir.filePath("plain");
        writeBytes(plainFile, "not a folder");
        QVERIFY(!WritePrivateProfileString("Contest", "Show", "True", plainFile + "/x.ini"));
        dz::WriteDoNotShow(plainFile, true);
        QCOMPARE(readBytes(plainFile), "not a folder");
        QVERIFY(!dz::ReadDoNotShow(plainFile));

        // A folder where the file should be.
        QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
        QVERIFY(!WritePrivateProfileString("Contest", "Show", "True", dir.filePath("folder.ini")));
        QVERIFY(QFileInfo(dir.filePath("folder.ini")).isDir());

        // A file too big to rewrite safely keeps its old value.
        const QByteArray huge = withPadding("True", dz::MaxProfileFileBytes);
        writeBytes(dir.filePath("DirIziVur.ini"), huge);
        dz::WriteDoNotShow(dir.path(), false);
        QCOMPARE(readBytes(dir.filePath("DirIziVur.ini")), huge);
        QVERIFY(dz::ReadDoNotShow(dir.path()));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
