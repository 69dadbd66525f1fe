// Finding the system-information tool through the registry's two values, a full path first,
// then a folder holding MSINFO32.EXE. Only /bin/tool and /o/MSINFO32.EXE exist and start.
#include "support/fakes.h"
#include "support/testing.h"
#include "windows/sysinfo.h"

// The type and bytes of the PATH value (type 0: there is none) and the folder value; whether
// PATH reads as a value and as what text; then the calls made to start the tool.
using SysInfoRow = std::tuple<const char*, int, QByteArray, QByteArray, bool, QString, QStringList>;

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    void lookUpAndStart_data()
    {
        const QByteArray a1024 = QByteArray(1023, 'a') + 'b';
        const SysInfoRow rows[] = {
            {"a path with its NUL",
             1,
             {"/bin/tool", 10},
             "/o",
             true,
             "/bin/tool",
             {"start /bin/tool"}},
            {"1024 bytes without a NUL", 1, a1024, "/o", true, a1024, {"start " + a1024}},
            {"more than 1024 bytes: none", 1, a1024 + 'c', "", false, "", {}},
            {"an empty value ends the search", 1, "", "/o", false, "", {}},
            {"a number of four bytes, least significant first",
             4,
             {"\5\1\0\x80\7", 5},
             "",
             true,
             "2147483909",
             {"start 2147483909"}},
            {"another type leaves the text as passed", 3, "/o", "", true, "as passed", {"start "}},
            {"no path: the folder's program",
             0,
             "",
             "/o",
             false,
             "",
             {"test /o/MSINFO32.EXE", "start /o/MSINFO32.EXE"}},
            {"no program in the folder", 0, "", "/u", false, "", {"test /u/MSINFO32.EXE"}},
        };
        AddRows(rows);
    }
    void lookUpAndStart()
    {
        const auto& [name, type, path, folder, read, text, calls] = Row<SysInfoRow>();
        const QString key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        FakeDesktop desktop;
        if (type != 0)
            desktop.values[key + "|PATH"] = {quint32(type), path};
        desktop.values["SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"] = {REG_SZ, folder};
        desktop.present = QStringList{"/bin/tool", "/o/MSINFO32.EXE"};
        QString value = "as passed";
        QCOMPARE(GetKeyValue(desktop, HKEY_LOCAL_MACHINE, key, "PATH", value), read);
        QCOMPARE(value, text);
        desktop.calls.clear();
        QCOMPARE(StartSysInfo(desktop), calls.value(calls.size() - 1).startsWith("start /"));
        QCOMPARE(desktop.calls, calls);
    }
};

QTEST_MAIN(TestSysInfo)
#include "test_sysinfo.moc"
