// Sound effects: wave files played asynchronously by bare name from the current folder.
#pragma once

#include <QString>

namespace dz
{

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts playing and returns at once. A missing file plays the desktop's bell.
    virtual void play(const QString& fileName) = 0;
};

} // namespace dz
