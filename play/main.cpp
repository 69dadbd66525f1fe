// Starts the program: the real services, the files and program folders, the main window.
#include <QApplication>
#include <cstdio>
#include <optional>
#include <unistd.h>

#include "kit/fonts.h"
#include "platform/canberra_sound.h"
#include "platform/display_guard.h"
#include "platform/folders.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "platform/random.h"
#include "play/frmMain.h"

int main(int argc, char* argv[])
{
    std::optional<dz::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    QApplication::setApplicationName(QStringLiteral("DirIziVur"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("example.dirizivur.DirIziVur"));
    QApplication::setFont(dz::FormFont());

    dz::QtDialogs dialogs;
    dz::CanberraSound sound;
    dz::ClockRandom random;
    dz::QtDesktop desktop;
    dz::Context ctx{dialogs, sound, random, desktop, dz::DefaultFilesFolder(), dz::ProgramFolder()};

    (new dz::frmMain(ctx))->show();
    const int rc = app.exec();
    // The closing sound is heard to its end. A sound server that does not answer holds the
    // sound worker in a call nothing can end; leave without tearing libraries down under it.
    if (!sound.drain()) {
        std::fflush(nullptr);
        _exit(rc);
    }
    return rc;
}
