// What the about box asks of the desktop: open a link with the user's default handler,
// start a program, and tell whether a path names an ordinary file. The program uses
// QtDesktop (platform/qt_desktop.h); tests record the calls.
#pragma once

#include <QString>
#include <QUrl>

namespace dz
{

class Desktop
{
public:
    virtual ~Desktop() = default;
    // Failures are not reported.
    virtual void openUrl(const QUrl& url) = 0;
    // Starts the program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString& program) = 0;
    // True for an existing file that is neither hidden nor a folder.
    virtual bool isOrdinaryFile(const QString& path) = 0;
};

} // namespace dz
