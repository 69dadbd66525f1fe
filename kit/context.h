// What every window of a run shares: the settings and the services behind the platform.
// main() builds the real one; tests build one with fakes and a temporary files folder.
#pragma once

#include "engine/random_source.h"
#include "kit/settings.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/sound.h"

namespace dz
{

struct Context {
    Dialogs& dialogs;
    SoundPlayer& sound;
    RandomSource& random;
    Desktop& desktop;
    Folder filesFolder;   // high scores and settings
    Folder programFolder; // wave files
    Settings settings{};

    void PlaySoundEffect(const QString& fileName) const
    {
        dz::PlaySoundEffect(sound, settings.SoundOn, fileName);
    }
    int MsgBox(QWidget* owner, const QString& prompt, int style = vbOKOnly,
               const QString& title = {}) const
    {
        return dialogs.MsgBox(owner, prompt, style, title);
    }
};

} // namespace dz
