#include "windows/sysinfo.h"

namespace dz
{

namespace
{

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ToolsLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
constexpr qsizetype ValueBufferBytes = 1024;

// An empty value is neither found nor missing: it ends the search with the message.
enum class Lookup { Found, Missing, Broken };

Lookup readKeyValue(Desktop& desktop, quint32 root, const QString& keyName,
                    const QString& valueName, QString& keyVal)
{
    const std::optional<RegistryValue> value = desktop.registryValue(root, keyName, valueName);
    if (!value || value->data.size() > ValueBufferBytes) {
        keyVal.clear();
        return Lookup::Missing;
    }
    QByteArray kept = value->data;
    if (kept.isEmpty()) {
        keyVal.clear();
        return Lookup::Broken;
    }
    if (kept.endsWith('\0'))
        kept.chop(1);
    if (value->type == REG_SZ) // the only kind of value our registry holds
        keyVal = QString::fromUtf8(kept);
    return Lookup::Found;
}

} // namespace

bool GetKeyValue(Desktop& desktop, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    return readKeyValue(desktop, KeyRoot, KeyName, SubKeyRef, KeyVal) == Lookup::Found;
}

bool StartSysInfo(Desktop& desktop)
{
    QString path;
    Lookup found =
        readKeyValue(desktop, HKEY_LOCAL_MACHINE, MsInfoKey, QStringLiteral("PATH"), path);
    if (found == Lookup::Missing) {
        QString folder;
        found = readKeyValue(desktop, HKEY_LOCAL_MACHINE, ToolsLocationKey,
                             QStringLiteral("MSINFO"), folder);
        path = folder + QStringLiteral("/MSINFO32.EXE");
        if (found == Lookup::Found && !desktop.isOrdinaryFile(path))
            found = Lookup::Missing;
    }
    // A full path from the first lookup is started untested: starting is the test.
    return found == Lookup::Found && desktop.startDetached(path);
}

} // namespace dz
