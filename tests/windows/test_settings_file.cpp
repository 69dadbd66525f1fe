#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "windows/contest_flag.h"
#include "windows/profile.h"

static const QDateTime Past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

// Written with an old time stamp, so a rewrite shows.
static void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
    QVERIFY(file.setFileTime(Past, QFileDevice::FileModificationTime));
}

static QByteArray get(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    // [Contest] Show with default "False" and room for 6 characters, as the contest flag
    // reads it: the flag is set by a value starting with "True".
    void read_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("value");
        const QString bom(QChar(0xFEFF)), c = "[Contest]\n", cap(dz::MaxProfileFileBytes, u'x');
        // clang-format off
        QTest::newRow("BOM, case, blanks") << bom + "[ cOnTeSt\t]\n\t sHOW \t= \tTrue \t" << "True";
        QTest::newRow("true is not True") << c + "Show=true" << "true";
        QTest::newRow("True... counts; cut to size - 1") << c + "Show=TrueBlue" << "TrueB";
        QTest::newRow("no half character") << c + "Show=abcd😀" << "abcd";
        QTest::newRow("quotes dropped") << c + "Show=\"True\"" << "True";
        QTest::newRow("unmatched quotes kept") << c + "Show=\"x'" << "\"x'";
        QTest::newRow("comments, 2 keys") << c + ";Show=1\n # Show=2\nShow=a=b\nSHOW=1" << "a=b";
        QTest::newRow("outside [Contest]") << "Show=1\n" + c + "A=1\n[contest]\nShow=1" << "False";
        QTest::newRow("CR, LF, CR LF") << "[X]\r\nShow=1\n[Contest]\rA=0\r\nShow=True" << "True";
        QTest::newRow("past the size cap") << ";" + cap + "\n" + c + "Show=True" << "False";
        // clang-format on
    }
    // The file keeps whatever letter case it was given; clearing the flag never adds a second.
    void read()
    {
        QFETCH(QString, file);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("dirizivur.INI");
        put(path, file.toUtf8());
        QCOMPARE(dz::GetPrivateProfileString("Contest", "Show", "False", 6, path), value);
        QCOMPARE(dz::ReadDoNotShow(dir.path()), value.startsWith("True"));
        dz::WriteDoNotShow(dir.path(), false);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        QVERIFY(!dz::ReadDoNotShow(dir.path()));
    }

    // Stores [Contest] Show=True. A file left byte for byte the same is not rewritten at all.
    void write_data()
    {
        QTest::addColumn<QString>("before"); // "<none>": no file; "<folder>": a folder there
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("after");
        const QString bom(QChar(0xFEFF)), c = "[Contest]\n", r = "[Contest]\r\nShow=True\r\n";
        const QString huge = c + "Show=False\n;" + QString(dz::MaxProfileFileBytes, 'x');
        const QString mine =
            "; mine\r\n\r\n[contest]\r\n  SHOW = %1  \r\nA=1\r\n[Next]\r\nShow=False";
        // clang-format off
        QTest::newRow("new file: CR LF") << "<none>" << true << r;
        QTest::newRow("value replaced") << mine.arg("\"False\"") << true << mine.arg("True");
        QTest::newRow("last key") << c + "A=1\n;\n[B]" << true << c + "A=1\nShow=True\n;\n[B]";
        QTest::newRow("unended line") << "[Contest]\rA=1" << true << "[Contest]\rA=1\rShow=True\r";
        QTest::newRow("new section") << "A=0\n[X]" << true << "A=0\n[X]\n" + c + "Show=True\n";
        QTest::newRow("BOM kept") << bom << true << bom + r;
        QTest::newRow("same value") << c + " Show = 'True' " << true << c + " Show = 'True' ";
        QTest::newRow("too big to rewrite") << huge << false << huge;
        QTest::newRow("folder in its place") << "<folder>" << false << "<none>";
        // clang-format on
    }
    void write()
    {
        QFETCH(QString, before);
        QFETCH(bool, written);
        QFETCH(QString, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("test.ini");
        QVERIFY(before != "<folder>" || QDir().mkdir(path));
        if (!before.startsWith('<'))
            put(path, before.toUtf8());
        QCOMPARE(dz::WritePrivateProfileString("Contest", "Show", "True", path), written);
        QCOMPARE(get(path), after.toUtf8());
        QVERIFY(before != after || QFileInfo(path).lastModified() == Past);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
