#include "platform/qt_desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace dz
{

void QtDesktop::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool QtDesktop::startDetached(const QString& program)
{
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

bool QtDesktop::isOrdinaryFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

std::optional<RegistryValue> QtDesktop::registryValue(quint32 root, const QString& key,
                                                      const QString& name)
{
    // Registry names ignore letter case.
    if (root != HKEY_LOCAL_MACHINE ||
        key.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    Qt::CaseInsensitive) != 0 ||
        name.compare(QLatin1String("PATH"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const char* tool :
         {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
          "plasma-systemmonitor", "xfce4-taskmanager", "lxtask"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(tool));
        if (!path.isEmpty())
            return RegistryValue{REG_SZ, path.toUtf8() + '\0'};
    }
    return std::nullopt;
}

} // namespace dz
