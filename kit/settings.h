// The three settings of a run. Nothing stores them: every run starts as a two-player
// game without sound and with an empty level, until the options dialog is confirmed.
#pragma once

#include <QString>

namespace dz
{

struct Settings {
    bool OnePlayer = false;
    QString Level; // "Easy", "Moderate", "Hard", "Unbeatable", or empty; compared exactly
    bool SoundOn = false;
};

} // namespace dz
