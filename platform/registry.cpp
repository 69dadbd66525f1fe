#include "platform/registry.h"

#include <QStandardPaths>
#include <cstring>

namespace dz
{

namespace
{

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
constexpr Registry::Handle MsInfoHandle = 1;

} // namespace

const QStringList SystemRegistry::SysInfoPrograms{
    QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
    QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
    QStringLiteral("mate-system-monitor"), QStringLiteral("plasma-systemmonitor"),
    QStringLiteral("xfce4-taskmanager"),   QStringLiteral("lxtask"),
};

long SystemRegistry::OpenKey(quint32 root, const QString& subKey, quint32, quint32, Handle& key)
{
    // Registry key names ignore letter case. Nothing here can be written, whatever
    // rights are asked for.
    if (root != HKEY_LOCAL_MACHINE || subKey.compare(MsInfoKey, Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    key = MsInfoHandle;
    return ERROR_SUCCESS;
}

long SystemRegistry::QueryValue(Handle key, const QString& valueName, quint32& type, char* data,
                                quint32& size)
{
    if (key != MsInfoHandle)
        return ERROR_INVALID_HANDLE;
    if (valueName.compare(QStringLiteral("PATH"), Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    QString path;
    for (const QString& program : SysInfoPrograms) {
        path = QStandardPaths::findExecutable(program, searchPaths_);
        if (!path.isEmpty())
            break;
    }
    if (path.isEmpty())
        return ERROR_FILE_NOT_FOUND;

    const QByteArray text = path.toUtf8() + '\0';
    const auto needed = static_cast<quint32>(text.size());
    type = REG_SZ;
    if (!data || needed > size) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, text.constData(), needed);
    size = needed;
    return ERROR_SUCCESS;
}

long SystemRegistry::CloseKey(Handle key)
{
    return key == MsInfoHandle ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace dz
