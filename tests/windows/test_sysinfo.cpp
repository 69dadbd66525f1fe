// Finding the system-information tool through the registry's two values. Only /bin/tool and
// /o/MSINFO32.EXE exist and start.
#include "support/fakes.h"
#include "support/rows.h"
#include "windows/sysinfo.h"

struct SysInfoRow {
    const char* name;
    dz::RegistryValue path; // under ...\MSINFO; type 0: none
    QByteArray folder;      // under Shared Tools Location
    bool read;              // whether the path reads as a value,
    QString text;           // and as what
    QStringList calls;
};

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    void lookUpAndStart_data()
    {
        const QByteArray a1024 = QByteArray(1023, 'a') + 'b';
        const SysInfoRow rows[] = {
            {"a path with its NUL",
             {1, {"/bin/tool", 10}},
             "/o",
             true,
             "/bin/tool",
             {"start /bin/tool"}},
            {"1024 bytes without a NUL", {1, a1024}, "/o", true, a1024, {"start " + a1024}},
            {"more than 1024 bytes: none", {1, a1024 + 'c'}, {}, false, "", {}},
            {"an empty value ends the search", {1, {}}, "/o", false, "", {}},
            {"a number, least significant byte first",
             {4, {"\5\1\0\x80\0", 5}},
             {},
             true,
             "2147483909",
             {"start 2147483909"}},
            {"another type leaves the text as passed",
             {3, "/o"},
             {},
             true,
             "as passed",
             {"start "}},
            {"no path: the folder's program",
             {0, {}},
             "/o",
             false,
             "",
             {"test /o/MSINFO32.EXE", "start /o/MSINFO32.EXE"}},
            {"no program in the folder", {0, {}}, "/u", false, "", {"test /u/MSINFO32.EXE"}},
        };
        dz::test::AddRows(rows);
    }
    void lookUpAndStart()
    {
        const SysInfoRow& row = dz::test::Row<SysInfoRow>();
        const QString key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        dz::test::FakeDesktop desktop;
        if (row.path.type != 0)
            desktop.values[key + "|PATH"] = row.path;
        desktop.values["SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"] = {dz::REG_SZ,
                                                                               row.folder};
        desktop.present = QStringList{"/bin/tool", "/o/MSINFO32.EXE"};
        QString text = "as passed";
        QCOMPARE(dz::GetKeyValue(desktop, dz::HKEY_LOCAL_MACHINE, key, "PATH", text), row.read);
        QCOMPARE(text, row.text);
        desktop.calls.clear();
        const bool started = !row.calls.isEmpty() && row.calls.last().startsWith("start /");
        QCOMPARE(dz::StartSysInfo(desktop), started);
        QCOMPARE(desktop.calls, row.calls);
    }
};

QTEST_MAIN(TestSysInfo)
#include "test_sysinfo.moc"
