// Times a human click and the computer's reply through the real main window at each
// level (offscreen, message boxes answered Yes), and prints the median and the 99th
// percentile in microseconds. Usage: dz_bench_click [clicks per level]
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/random.h"
#include "play/frmMain.h"
#include "support/fakes.h"

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? std::max(100, atoi(argv[1])) : 20000;

    QTemporaryDir dir;
    dz::test::ScriptedDialogs dialogs; // unscripted: OK, and Yes to play again
    dz::test::RecordingSound sound;
    dz::ClockRandom random;
    dz::test::FakeDesktop desktop;
    dz::Context ctx{dialogs, sound, random, desktop, dir.path(), dir.path()};
    ctx.settings.OnePlayer = true;
    // Keep the contest notice away: only the main window is measured.
    QFile ini(dir.path() + "/DirIziVur.ini");
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[Contest]\r\nShow=True\r\n");
    ini.close();

    auto* window = new dz::frmMain(ctx);
    window->show();
    std::mt19937 pick(12345);
    std::printf("%-11s %10s %12s %12s\n", "level", "clicks", "median us", "p99 us");
    for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
        ctx.settings.Level = QString::fromLatin1(level);
        window->NewGame();
        std::vector<double> micros;
        micros.reserve(size_t(clicks));
        QElapsedTimer timer;
        while (int(micros.size()) < clicks) {
            std::vector<qint16> empty;
            for (qint16 cell = 1; cell <= 9; ++cell)
                if (window->board().CellOf(cell) == dz::Piece::Blank)
                    empty.push_back(cell);
            qint16 cell = empty[pick() % empty.size()];
            dialogs.shown.clear();
            timer.start();
            window->imgBoard_Click(cell);
            micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
            QCoreApplication::processEvents(); // paint what the click changed
        }
        std::sort(micros.begin(), micros.end());
        std::printf("%-11s %10d %12.1f %12.1f\n", level, clicks, micros[micros.size() / 2],
                    micros[micros.size() * 99 / 100]);
    }
    delete window;
    return 0;
}
