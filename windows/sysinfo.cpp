#include "windows/sysinfo.h"

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/registry.h"

namespace dz
{

namespace
{

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString MsInfoPathValue = QStringLiteral("PATH");
const QString ToolsLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString ToolsLocationValue = QStringLiteral("MSINFO");
const QString MsInfoProgram = QStringLiteral("/MSINFO32.EXE");

// Read control plus the six key rights, as the lookups have always asked.
constexpr quint32 KeyAccessMask = 0x2003F;
constexpr quint32 ValueBufferBytes = 1024;

// An empty value is neither found nor missing: it ends the search with the message.
enum class Lookup { Found, Missing, Broken };

Lookup readKeyValue(Registry& registry, quint32 root, const QString& keyName,
                    const QString& valueName, QString& keyVal)
{
    Registry::Handle key = 0;
    if (registry.OpenKey(root, keyName, 0, KeyAccessMask, key) != ERROR_SUCCESS) {
        keyVal.clear();
        return Lookup::Missing;
    }

    char buffer[ValueBufferBytes] = {};
    quint32 size = ValueBufferBytes;
    quint32 type = 0;
    Lookup result = Lookup::Found;
    if (registry.QueryValue(key, valueName, type, buffer, size) != ERROR_SUCCESS) {
        keyVal.clear();
        result = Lookup::Missing;
    } else if (size == 0 || size > ValueBufferBytes) {
        keyVal.clear();
        result = Lookup::Broken;
    } else {
        const quint32 kept = buffer[size - 1] == '\0' ? size - 1 : size;
        if (type == REG_SZ) {
            keyVal = QString::fromUtf8(buffer, kept);
        } else if (type == REG_DWORD) {
            quint32 number = 0;
            for (quint32 i = 0; i < kept && i < 4; ++i)
                number |= quint32(static_cast<unsigned char>(buffer[i])) << (8 * i);
            keyVal = QString::number(number);
        }
    }
    registry.CloseKey(key);
    return result;
}

} // namespace

bool GetKeyValue(Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    return readKeyValue(registry, KeyRoot, KeyName, SubKeyRef, KeyVal) == Lookup::Found;
}

void StartSysInfo(Registry& registry, Desktop& desktop, Dialogs& dialogs)
{
    QString path;
    Lookup found = readKeyValue(registry, HKEY_LOCAL_MACHINE, MsInfoKey, MsInfoPathValue, path);
    if (found == Lookup::Missing) {
        QString folder;
        found = readKeyValue(registry, HKEY_LOCAL_MACHINE, ToolsLocationKey, ToolsLocationValue,
                             folder);
        path = folder + MsInfoProgram;
        if (found == Lookup::Found && !desktop.isOrdinaryFile(path))
            found = Lookup::Missing;
    }
    // A full path from the first lookup is started untested: starting is the test.
    if (found == Lookup::Found && desktop.startDetached(path))
        return;
    dialogs.MsgBox(SysInfoUnavailable, vbOKOnly, QString());
}

} // namespace dz
