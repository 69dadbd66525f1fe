// Finding the system-information tool through the registry's two values.
#include "support/fakes.h"
#include "support/test_main.h"
#include "windows/sysinfo.h"

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    // The tool's PATH value read as text (empty: not read), then the tool started from it
    // or from the folder value. Only /bin/x and /o/MSINFO32.EXE exist and start.
    void lookUpAndStart()
    {
        const QString key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", exe = "/o/MSINFO32.EXE";
        const QByteArray a1024 = QByteArray(1023, 'a') + 'b', o("/o", 3), no("<none>");
        const quint32 sz = dz::REG_SZ;
        for (const auto& [type, path, folder, value, calls] :
             {std::tuple<quint32, QByteArray, QByteArray, QString, QString>{
                  sz, {"/bin/x", 7}, o, "/bin/x", "start /bin/x"},
              {sz, a1024, o, a1024, "start " + a1024}, // 1024 bytes, no NUL
              {sz, a1024 + 'c', "", "", ""},           // over 1024: missing
              {sz, "", o, "", ""},                     // size 0 ends the search
              {dz::REG_DWORD, {"\5\1\0\x80\7", 5}, "", "2147483909", "start 2147483909"},
              {3u, o, "", "as passed", "start "},                // other types leave the text
              {sz, no, o, "", "test " + exe + ", start " + exe}, // no value: the folder
              {sz, no, "/u", "", "test /u/MSINFO32.EXE"}}) {
            dz::test::FakeDesktop desktop;
            if (path != no)
                desktop.values[key + "|PATH"] = {type, path};
            desktop.values["SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"] = {sz, folder};
            desktop.present = QStringList{"/bin/x", exe};
            QString read = "as passed";
            QCOMPARE(dz::GetKeyValue(desktop, dz::HKEY_LOCAL_MACHINE, key, "PATH", read), !value.isEmpty());
            QCOMPARE(read, value);
            QCOMPARE(dz::StartSysInfo(desktop), calls == "start /bin/x" || calls.endsWith(exe));
            QCOMPARE(desktop.calls.join(", "), calls);
        }
    }
};

DZ_TEST(TestSysInfo)
#include "test_sysinfo.moc"
