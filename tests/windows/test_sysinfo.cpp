// Finding the system-information tool through the registry's two values.
#include <QTest>

#include "support/fakes.h"
#include "support/test_main.h"
#include "windows/sysinfo.h"

namespace
{

const QString MsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString Location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
const QString Exe = QStringLiteral("/o/MSINFO32.EXE");

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    // The tool's PATH value read as text (empty: not read), then the tool started from it
    // or from the folder value. Only /bin/x and /o/MSINFO32.EXE exist and start.
    void lookUpAndStart_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // "<none>": no PATH value
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("keyVal");
        QTest::addColumn<QString>("calls"); // to the desktop
        const QByteArray a1024 = QByteArray(1023, 'a') + 'b', o("/o", 3), u("/u"), no;
        const QString t1024(a1024), x = "test " + Exe + ", start " + Exe;
        const quint32 sz = dz::REG_SZ;
        // clang-format off
        QTest::newRow("text with NUL") << sz << QByteArray("/bin/x", 7) << o << "/bin/x" << "start /bin/x";
        QTest::newRow("1024, no NUL") << sz << a1024 << o << t1024 << "start " + t1024;
        QTest::newRow("over 1024: missing") << sz << a1024 + 'c' << no << "" << "";
        QTest::newRow("size 0: the search ends") << sz << no << o << "" << "";
        QTest::newRow("DWORD") << dz::REG_DWORD << QByteArray("\5\1\0\x80", 4) << no
                               << "2147483909" << "start 2147483909";
        QTest::newRow("other type: as passed") << 3u << o << no << "as passed" << "start ";
        QTest::newRow("no value, folder with the tool") << sz << QByteArray("<none>") << o << "" << x;
        QTest::newRow("no value, folder without it") << sz << QByteArray("<none>") << u << ""
                                                     << "test /u/MSINFO32.EXE";
        // clang-format on
    }
    void lookUpAndStart()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, folder);
        QFETCH(QString, keyVal);
        QFETCH(QString, calls);
        dz::test::FakeDesktop desktop;
        if (data != "<none>")
            desktop.values[MsInfo + "|PATH"] = {type, data};
        desktop.values[Location] = {dz::REG_SZ, folder};
        desktop.present = QStringList{"/bin/x", Exe};
        QString value = "as passed";
        QCOMPARE(dz::GetKeyValue(desktop, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value),
                 !keyVal.isEmpty());
        QCOMPARE(value, keyVal);
        QCOMPARE(dz::StartSysInfo(desktop), calls == "start /bin/x" || calls.endsWith(Exe));
        QCOMPARE(desktop.calls.join(", "), calls);
    }
};

DZ_TEST(TestSysInfo)
#include "test_sysinfo.moc"
