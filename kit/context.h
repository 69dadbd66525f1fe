// What every window of a run shares: the settings and the services behind the platform.
// main() builds the real one; tests build one with fakes and a temporary files folder.
#pragma once

#include <QString>

#include "engine/random_source.h"
#include "kit/settings.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

namespace dz
{

struct Context {
    Dialogs& dialogs;
    SoundPlayer& sound;
    RandomSource& random;
    Desktop& desktop;
    QString filesFolder;   // high scores and settings
    QString programFolder; // wave files
    Settings settings{};

    void PlaySoundEffect(const QString& fileName) const
    {
        if (settings.SoundOn)
            sound.play(fileName);
    }
    int MsgBox(QWidget* owner, const QString& prompt, int style = vbOKOnly,
               const QString& title = {}) const
    {
        return dialogs.MsgBox(owner, prompt, style, title);
    }
    // `what` ("The high scores", "Your choice") could not be saved in `path` because of `why`.
    void TellUnsaved(QWidget* owner, const QString& what, const QString& path,
                     const QString& why) const
    {
        MsgBox(owner,
               QStringLiteral("%1 could not be saved in \u201c%2\u201d: %3.").arg(what, path, why),
               vbExclamation);
    }
};

} // namespace dz
