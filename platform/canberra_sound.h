// Sound effects through libcanberra, the desktop's event-sound library. The library is
// loaded, and a worker thread started, at the first sound, so a silent run never loads it
// nor opens a sound server. Only the worker calls into libcanberra: a sound server that
// does not answer stalls the worker, never the windows.
#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "platform/sound.h"

namespace dz
{

class CanberraSound : public SoundPlayer
{
public:
    // How long the last sound may play on when the program ends; and how long a call may take
    // before its sound server counts as one that does not answer (a working one answers in
    // milliseconds).
    static constexpr std::chrono::seconds DrainLimit{3};
    static constexpr std::chrono::seconds AnswerLimit{1};

    CanberraSound();
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    // Hands the sound to the worker, which cuts the one playing. Sounds asked for while
    // the worker is busy collapse to the newest.
    void play(const QString& fileName) override;

    // Lets the last sound play to its end, for DrainLimit at most. False when the worker is
    // stuck in a call the sound server does not answer: nothing can end that call, so the
    // program should then leave with _exit rather than tear libraries down under it.
    bool drain();

    struct Shared;

private:
    std::shared_ptr<Shared> shared_; // also held by the worker, which may outlive us
    std::thread worker_;
};

} // namespace dz
