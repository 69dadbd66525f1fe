#include "platform/qt_desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

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

} // namespace dz
