#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/fakes.h"
#include "windows/desktop_fakes.h"
#include "windows/sysinfo.h"

const QString MsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString Location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
const QString exe = QStringLiteral("/o/MSINFO32.EXE");

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    // The tool's PATH value read as text (empty: false returned), then the tool started from
    // it or from the folder value. Only /bin/x and /o/MSINFO32.EXE exist and start.
    void lookUpAndStart_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // "<no value>", "<no key>": nothing of that stored
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("keyVal");
        QTest::addColumn<QString>("calls"); // to the desktop; "" and no start: the message
        const QByteArray a1024 = QByteArray(1023, 'a') + 'b', o("/o", 3), u("/u"), bin("/bin/x", 7),
                         no;
        const QString t1024(a1024), x = "test " + exe + ", start " + exe;
        const quint32 sz = dz::REG_SZ, dw = dz::REG_DWORD;
        // clang-format off
        QTest::newRow("text: started untested") << sz << bin << o << "/bin/x" << "start /bin/x";
        QTest::newRow("1024, no NUL; fails") << sz << a1024 << o << t1024 << "start " + t1024;
        QTest::newRow("over 1024: missing") << sz << a1024 + 'c' << no << "" << "";
        QTest::newRow("size 0: no folder asked") << sz << no << o << "" << "";
        QTest::newRow("DWORD") << dw << QByteArray("\5\1\0\x80", 4) << no << "2147483909"
                               << "start 2147483909";
        QTest::newRow("other type: as passed") << 3u << o << no << "as passed" << "start ";
        QTest::newRow("no value, folder with it") << sz << QByteArray("<no value>") << o << "" << x;
        QTest::newRow("no key, folder without it") << sz << QByteArray("<no key>") << u << ""
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
        dz::test::ScriptedRegistry registry;
        if (data != "<no key>")
            registry.values[MsInfo + (data == "<no value>" ? "|OTHER" : "|PATH")] = {type, data};
        registry.values[Location] = {dz::REG_SZ, folder};
        QString value = "as passed";
        QCOMPARE(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value),
                 !keyVal.isEmpty());
        QCOMPARE(value, keyVal);
        dz::test::RecordingDesktop desktop;
        desktop.present = QStringList{"/bin/x", exe};
        dz::test::ScriptedDialogs dialogs;
        dz::StartSysInfo(registry, desktop, dialogs);
        QCOMPARE(desktop.calls.join(", "), calls);
        QVERIFY2(registry.open.isEmpty(), "every opened key is closed");
        const bool started = calls == "start /bin/x" || calls.endsWith("start " + exe);
        QCOMPARE(dialogs.shown.value(0).prompt, started ? "" : dz::SysInfoUnavailable);
    }

    // Without a registry, the first tool found on the search path stands in for the value.
    void systemRegistryPointsAtTheFirstToolFound()
    {
        QTemporaryDir dir;
        dz::SystemRegistry registry({dir.path()});
        QString value;
        for (const char* name : {"kinfocenter", "hardinfo", "lxtask"}) {
            QFile tool(dir.filePath(name));
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.setPermissions(QFile::ExeOwner));
        }
        QVERIFY(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo.toLower(), "Path", value));
        QCOMPARE(value, dir.filePath("hardinfo"));
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sysinfo.moc"
