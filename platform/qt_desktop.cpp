#include "platform/qt_desktop.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace dz
{

namespace
{

// Started on its own, with nothing of its output on the game's terminal.
bool StartQuietly(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return !program.isEmpty() && process.startDetached();
}

} // namespace

void QtDesktop::openUrl(const QUrl& url)
{
    // The desktop's own opener; without one, a link fails silently.
    StartQuietly(QStandardPaths::findExecutable(QStringLiteral("xdg-open")), {url.toString()});
}

bool QtDesktop::startDetached(const QString& program)
{
    return StartQuietly(program, {});
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
