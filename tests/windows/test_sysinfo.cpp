#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/fakes.h"
#include "windows/desktop_fakes.h"
#include "windows/sysinfo.h"

using dz::test::ScriptedRegistry;

namespace {

const QString MsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString Location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QByteArray Absent("<absent>");

QByteArray littleEndian(quint32 n)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char((n >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    void getKeyValue_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("keyVal");
        const QByteArray a1023(1023, 'a');

        QTest::newRow("text with its NUL")
            << dz::REG_SZ << QByteArray("/bin/tool\0", 10) << true << "/bin/tool";
        QTest::newRow("text without NUL used whole")
            << dz::REG_SZ << QByteArray("/bin/tool") << true << "/bin/tool";
        QTest::newRow("1024 bytes fit")
            << dz::REG_SZ << a1023 + 'b' << true << QString(a1023 + 'b');
        QTest::newRow("over 1024 bytes") << dz::REG_SZ << a1023 + "bc" << false << "";
        QTest::newRow("empty value is an error") << dz::REG_SZ << QByteArray() << false << "";
        QTest::newRow("number in decimal")
            << dz::REG_DWORD << littleEndian(0x12345678) << true << "305419896";
        QTest::newRow("number ending in a zero byte")
            << dz::REG_DWORD << littleEndian(261) << true << "261";
        QTest::newRow("number with the top bit set is unsigned")
            << dz::REG_DWORD << littleEndian(0xFFFFFFFF) << true << "4294967295";
        QTest::newRow("other type leaves the text as passed")
            << quint32(3) << QByteArray("\x01\x02") << true << "as passed";
        QTest::newRow("missing value") << dz::REG_SZ << Absent << false << "";
    }
    void getKeyValue()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, ok);
        QFETCH(QString, keyVal);
        ScriptedRegistry registry;
        if (data == Absent)
            registry.setText(MsInfo, "OTHER", "x");
        else
            registry.set(MsInfo, "PATH", {type, data});

        QString value = "as passed";
        QCOMPARE(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value), ok);
        QCOMPARE(value, keyVal);
        QCOMPARE(registry.masks, QList<quint32>{0x2003F});
        QVERIFY2(registry.openHandles.isEmpty(), "every opened key is closed");
    }

    void getKeyValueOfMissingKey()
    {
        ScriptedRegistry registry;
        QString value = "old";
        QVERIFY(!dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value));
        QCOMPARE(value, "");
        QVERIFY(registry.closed.isEmpty());
    }

    void startSysInfo_data()
    {
        QTest::addColumn<QByteArray>("path");   // first lookup
        QTest::addColumn<QByteArray>("folder"); // second lookup
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("startable");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QStringList>("tested");
        QTest::addColumn<bool>("message");
        QTest::addColumn<QStringList>("opened");
        const QStringList none;
        const QStringList both{MsInfo, Location};

        QTest::newRow("path found: started without testing it")
            << QByteArray("/opt/tool\0", 10) << Absent << none << QStringList{"/opt/tool"}
            << QStringList{"/opt/tool"} << none << false << QStringList{MsInfo};
        QTest::newRow("path to a missing file: message, the folder never asked")
            << QByteArray("/gone/tool\0", 11) << QByteArray("/opt\0", 5)
            << QStringList{"/opt/MSINFO32.EXE"} << QStringList{"/opt/MSINFO32.EXE"}
            << QStringList{"/gone/tool"} << none << true << QStringList{MsInfo};
        QTest::newRow("empty path: message, the folder never asked")
            << QByteArray() << QByteArray("/opt\0", 5) << QStringList{"/opt/MSINFO32.EXE"}
            << QStringList{"/opt/MSINFO32.EXE"} << none << none << true << QStringList{MsInfo};
        QTest::newRow("only the folder, holding the program")
            << Absent << QByteArray("/opt\0", 5) << QStringList{"/opt/MSINFO32.EXE"}
            << QStringList{"/opt/MSINFO32.EXE"} << QStringList{"/opt/MSINFO32.EXE"}
            << QStringList{"/opt/MSINFO32.EXE"} << false << both;
        QTest::newRow("only the folder, without the program")
            << Absent << QByteArray("/opt\0", 5) << none << QStringList{"/opt/MSINFO32.EXE"} << none
            << QStringList{"/opt/MSINFO32.EXE"} << true << both;
        QTest::newRow("neither") << Absent << Absent << none << none << none << none << true
                                 << both;
    }
    void startSysInfo()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, folder);
        QFETCH(QStringList, files);
        QFETCH(QStringList, startable);
        QFETCH(QStringList, started);
        QFETCH(QStringList, tested);
        QFETCH(bool, message);
        QFETCH(QStringList, opened);
        ScriptedRegistry registry;
        if (path != Absent)
            registry.setText(MsInfo, "PATH", path);
        if (folder != Absent)
            registry.setText(Location, "MSINFO", folder);
        dz::test::RecordingDesktop desktop;
        desktop.files = files;
        desktop.startable = startable;
        dz::test::ScriptedDialogs dialogs;

        dz::StartSysInfo(registry, desktop, dialogs);

        QCOMPARE(desktop.started, started);
        QCOMPARE(desktop.tested, tested);
        QCOMPARE(registry.opened, opened);
        QVERIFY(registry.openHandles.isEmpty());
        QList<dz::test::ShownMessage> shown;
        if (message)
            shown.append({"msgbox", "System Information Is Unavailable At This Time", "DirIziVur",
                          dz::vbOKOnly});
        QCOMPARE(dialogs.shown, shown);
    }

    void systemRegistryPointsAtTheFirstToolFound()
    {
        QTemporaryDir dir;
        for (const char* name : {"kinfocenter", "hardinfo", "lxtask"}) {
            QFile tool(dir.filePath(name));
            QVERIFY(tool.open(QIODevice::WriteOnly));
            tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        dz::SystemRegistry registry({dir.path()});
        QString value;
        QVERIFY(dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, MsInfo.toLower(), "Path", value));
        QCOMPARE(value, dir.filePath("hardinfo"));
        QVERIFY(!dz::GetKeyValue(registry, dz::HKEY_LOCAL_MACHINE, Location, "MSINFO", value));

        QTemporaryDir empty;
        dz::SystemRegistry nothing({empty.path()});
        QVERIFY(!dz::GetKeyValue(nothing, dz::HKEY_LOCAL_MACHINE, MsInfo, "PATH", value));
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sysinfo.moc"
