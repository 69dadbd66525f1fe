#include "platform/display_guard.h"

#include <QtGlobal>
#include <cstdio>
#include <unistd.h>

namespace dz
{

namespace
{

QtMessageHandler previous = nullptr;

void NoDisplay(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    std::fputs("dirizivur: no display to show the game on; start it in a graphical session\n",
               stderr);
    std::fflush(stderr);
    _exit(1);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previous = qInstallMessageHandler(NoDisplay);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previous);
}

} // namespace dz
