// Sound effects through libcanberra, the desktop's event-sound library. Audio is not
// touched until the first sound plays, so a silent run never opens a sound server.
#pragma once

#include <condition_variable>
#include <mutex>
#include <set>

#include "platform/sound.h"

struct ca_context;

namespace dz
{

class CanberraSound : public SoundPlayer
{
public:
    CanberraSound() = default;
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    void play(const QString& fileName) override;

    // Waits until every sound started so far has finished, at most as long as the
    // longest of them still has to play (plus a little slack).
    void drain();

private:
    static void finished(ca_context*, unsigned id, int error, void* self);

    ca_context* context_ = nullptr;
    unsigned nextId_ = 1;
    std::mutex mutex_;
    std::condition_variable done_;
    std::set<unsigned> playing_; // ids started and not yet reported finished
    qint64 deadlineMs_ = 0;      // steady-clock time by which every started sound ends
};

// Length of a RIFF wave file in milliseconds, or -1 when it is not one we can read.
qint64 WaveDurationMs(const QString& path);

} // namespace dz
