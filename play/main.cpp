// Starts the program: the command line, the real services, the folders, the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "kit/fonts.h"
#include "platform/canberra_sound.h"
#include "platform/folders.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "platform/random.h"
#include "play/frmMain.h"

namespace
{

QtMessageHandler qtHandler = nullptr;

// Qt ends a start it cannot make with abort() and a core dump; what it said is enough.
void EndWithoutCore(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    qtHandler(type, context, message);
    if (type == QtFatalMsg)
        _exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("DirIziVur"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarn's DirIziVur: tic-tac-toe for one or two players."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    bool platformNamed = false;
    if (argc > 1) {
        // Help, the version and a mistyped option are answered before any display is looked
        // for, so they work in a plain terminal; the toolkit's own options wait for it.
        const QCoreApplication early(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        platformNamed = arguments.contains(QStringLiteral("-platform"));
        if (parser.parse(arguments) ? parser.isSet(help) || parser.isSet(version)
                                    : !display && !platformNamed)
            parser.process(arguments);
    }
    if (!display && !platformNamed) {
        std::fputs("dirizivur: no display to show the game on; start it in a graphical session\n",
                   stderr);
        return 1;
    }
    qtHandler = qInstallMessageHandler(EndWithoutCore);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    parser.process(app); // the toolkit's own options are gone by now: the rest must be ours
    QApplication::setDesktopFileName(QStringLiteral("example.dirizivur.DirIziVur"));
    QApplication::setFont(dz::FormFont());
    // A full disk or a file-size limit is then a failed write the player is told of.
    std::signal(SIGXFSZ, SIG_IGN);

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
