#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/fakes.h"
#include "windows/desktop_fakes.h"
#include "windows/sysinfo.h"

const QString MsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString Location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    // `keyVal` empty: false returned. Text is stored with its NUL, as the registry does.
    void getKeyValue_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // "<no value>", "<no key>": nothing of that stored
        QTest::addColumn<QString>("keyVal");
        const QByteArray a1023(1023, 'a');
        // clang-format off
        QTest::newRow("text with NUL") << dz::REG_SZ << QByteArray("/bin/tool", 10) << "/bin/tool";
        QTest::newRow("1024 bytes, no NUL") << dz::REG_SZ << a1023 + 'b' << QString(a1023 + 'b');
        QTest::newRow("over 1024 bytes") << dz::REG_SZ << a1023 + "bc" << "";
        QTest::newRow("size 0") << dz::REG_SZ << QByteArray() << "";
        QTest::newRow("DWORD") << dz::REG_DWORD << QByteArray("\5\1\0\x80", 4) << "2147483909";
        QTest::newRow("other type: as passed") << quint32(3) << QByteArray("\1\2") << "as passed";
        QTest::newRow("missing value") << dz::REG_SZ << QByteArray("<no value>") << "";
        QTest::newRow("missing key") << dz::REG_SZ << QByteArray("<no key>") << "";
        // clang-format on
    }
    void getKeyValue()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, keyVal);
        dz::test::ScriptedRegistry registry;
        if (data != "<no key>")
            registry.set(MsInfo, data == "<no value>" ? "OTHER" : "PATH", data, type);
        QString value = "as passed";
        QCOMPARE(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value),
                 !keyVal.isEmpty());
        QCOMPARE(value, keyVal);
        QVERIFY2(registry.openKeys.isEmpty(), "every opened key is closed");
    }

    // Only /bin/x and /o/MSINFO32.EXE exist and start.
    void startSysInfo_data()
    {
        QTest::addColumn<QByteArray>("path");   // "<none>": no value
        QTest::addColumn<QByteArray>("folder"); // "<none>": no value
        QTest::addColumn<QString>("calls");     // to the desktop
        QTest::addColumn<bool>("message");
        const QByteArray none("<none>"), bin("/bin/x", 7), o("/o", 3), u("/u");
        const QString exe = "/o/MSINFO32.EXE";
        // clang-format off
        QTest::newRow("path: started untested") << bin << none << "start /bin/x" << false;
        QTest::newRow("path will not start") << QByteArray("/gone") << o << "start /gone" << true;
        QTest::newRow("empty path: no folder asked") << QByteArray() << o << "" << true;
        QTest::newRow("folder with it") << none << o << "test " + exe + ", start " + exe << false;
        QTest::newRow("folder without it") << none << u << "test /u/MSINFO32.EXE" << true;
        QTest::newRow("neither") << none << none << "" << true;
        // clang-format on
    }
    void startSysInfo()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, folder);
        QFETCH(QString, calls);
        QFETCH(bool, message);
        dz::test::ScriptedRegistry registry;
        if (path != "<none>")
            registry.set(MsInfo, "PATH", path);
        if (folder != "<none>")
            registry.set(Location, "MSINFO", folder);
        dz::test::RecordingDesktop desktop;
        desktop.present = QStringList{"/bin/x", "/o/MSINFO32.EXE"};
        dz::test::ScriptedDialogs dialogs;
        dz::StartSysInfo(registry, desktop, dialogs);
        QCOMPARE(desktop.calls.join(", "), calls);
        QVERIFY(registry.openKeys.isEmpty());
        const dz::test::ShownMessage box{"msgbox", dz::SysInfoUnavailable, "DirIziVur",
                                         dz::vbOKOnly};
        QCOMPARE(dialogs.shown, message ? QList{box} : QList<dz::test::ShownMessage>());
    }

    // Without a registry, the first tool found on the search path stands in for the value.
    void systemRegistryPointsAtTheFirstToolFound()
    {
        QTemporaryDir dir;
        dz::SystemRegistry registry({dir.path()});
        QString value;
        QVERIFY(!dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value));
        for (const char* name : {"kinfocenter", "hardinfo", "lxtask"}) {
            QFile tool(dir.filePath(name));
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.setPermissions(QFile::ExeOwner));
        }
        QVERIFY(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo.toLower(), "Path", value));
        QCOMPARE(value, dir.filePath("hardinfo"));
        QVERIFY(!dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, Location, "MSINFO", value));
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sysinfo.moc"
