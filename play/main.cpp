// Starts the program: the real services, the files and program folders, the main window.
#include <QApplication>
#include <optional>

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
    sound.drain(); // the closing sound is heard to its end
    return rc;
}
