// Plays the wave files named on the command line through the game's sound layer, one
// after another, and waits for each to finish, as the program does at exit.
#include <QCoreApplication>

#include "platform/canberra_sound.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    dz::CanberraSound sound;
    for (const QString& file : app.arguments().mid(1)) {
        sound.play(file);
        sound.drain();
    }
    return 0;
}
