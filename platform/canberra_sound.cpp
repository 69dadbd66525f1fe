#include "platform/canberra_sound.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <canberra.h>
#include <chrono>

namespace dz
{

namespace
{

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

constexpr qint64 BellMs = 1500; // the desktop's bell: its length is not ours to read
constexpr qint64 SlackMs = 300; // the sound server's own latency

} // namespace

CanberraSound::~CanberraSound()
{
    if (context_)
        ca_context_destroy(context_);
}

void CanberraSound::play(const QString& fileName)
{
    if (!context_) {
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Tarn's DirIziVur",
                                CA_PROP_APPLICATION_ID, "example.dirizivur.DirIziVur", nullptr);
    }
    const QFileInfo file(fileName); // a bare name resolves against the current folder
    ca_proplist* props = nullptr;
    ca_proplist_create(&props);
    qint64 lengthMs = BellMs;
    if (file.isFile()) {
        ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME,
                         QFile::encodeName(file.absoluteFilePath()).constData());
        ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
        const qint64 d = WaveDurationMs(file.absoluteFilePath());
        if (d >= 0)
            lengthMs = d;
    } else {
        ca_proplist_sets(props, CA_PROP_EVENT_ID, "bell");
    }
    ca_proplist_sets(props, CA_PROP_MEDIA_ROLE, "event");

    unsigned id = 0;
    {
        std::lock_guard lock(mutex_);
        id = nextId_++;
        playing_.insert(id);
        deadlineMs_ = std::max(deadlineMs_, nowMs() + lengthMs + SlackMs);
    }
    // Not under the lock: a failing play may report back on this very thread.
    const int rc = ca_context_play_full(context_, id, props, &CanberraSound::finished, this);
    ca_proplist_destroy(props);
    if (rc != CA_SUCCESS) {
        std::lock_guard lock(mutex_);
        playing_.erase(id);
    }
}

void CanberraSound::finished(ca_context*, unsigned id, int, void* self)
{
    auto* sound = static_cast<CanberraSound*>(self);
    std::lock_guard lock(sound->mutex_);
    sound->playing_.erase(id);
    sound->done_.notify_all();
}

void CanberraSound::drain()
{
    std::unique_lock lock(mutex_);
    const auto deadline =
        std::chrono::steady_clock::time_point(std::chrono::milliseconds(deadlineMs_));
    done_.wait_until(lock, deadline, [this] { return playing_.empty(); });
}

qint64 WaveDurationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    // Walk the chunks up to "data"; a bounded number of them, whatever the file says.
    for (int chunk = 0; chunk < 64; ++chunk) {
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
        if (header.startsWith("fmt ")) {
            const QByteArray fmt = file.read(qMin<quint32>(size, 16));
            if (fmt.size() < 12)
                return -1;
            byteRate = qFromLittleEndian<quint32>(fmt.constData() + 8);
            file.seek(file.pos() + (size - fmt.size()) + (size & 1));
        } else if (header.startsWith("data")) {
            return byteRate ? qint64(size) * 1000 / byteRate : -1;
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return -1;
        }
    }
    return -1;
}

} // namespace dz
