// What every window of a run shares: the settings and the services behind the platform.
// main() builds the real one; tests build one with fakes and a temporary files folder.
#pragma once

#include <QString>

#include "engine/random_source.h"
#include "options/settings.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

namespace dz
{

class Desktop;  // platform/desktop.h: links and starting programs
class Registry; // platform/registry.h: the read-only system registry stand-in

struct Context {
    Settings settings;
    Dialogs* dialogs = nullptr;
    SoundPlayer* sound = nullptr;
    RandomSource* random = nullptr;
    Desktop* desktop = nullptr;
    Registry* registry = nullptr;
    QString filesFolder;   // high scores and settings
    QString programFolder; // wave files

    void PlaySoundEffect(const QString& fileName) const
    {
        dz::PlaySoundEffect(*sound, settings.SoundOn, fileName);
    }
    int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) const
    {
        return dialogs->MsgBox(prompt, style, title);
    }
};

} // namespace dz
