#include "platform/canberra_sound.h"

#include <QDir>
#include <algorithm>
#include <canberra.h>
#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <type_traits>

namespace dz
{

using Clock = std::chrono::steady_clock;

struct CanberraSound::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<QByteArray> request; // the newest sound not yet taken by the worker
    bool inCall = false;               // the worker is inside libcanberra
    Clock::time_point callStart;
    unsigned playing = 0; // the last sound started, until libcanberra reports its end
    bool quit = false;
};

namespace
{

void Finished(ca_context*, uint32_t id, int, void* data)
{
    auto* shared = static_cast<CanberraSound::Shared*>(data);
    std::lock_guard lock(shared->mutex);
    if (shared->playing == id) {
        shared->playing = 0;
        shared->changed.notify_all();
    }
}

// The few functions used, looked up in the library loaded at the first sound.
class Canberra
{
public:
    bool load()
    {
        void* lib = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        const auto find = [lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        return lib && find(create_, "ca_context_create") && find(destroy_, "ca_context_destroy") &&
               find(changeProps_, "ca_context_change_props") &&
               find(playFull_, "ca_context_play_full") && find(cancel_, "ca_context_cancel") &&
               find(propsCreate_, "ca_proplist_create") &&
               find(propsDestroy_, "ca_proplist_destroy") && find(propsSet_, "ca_proplist_sets");
    }

    ~Canberra()
    {
        if (context_)
            destroy_(context_);
    }

    // Cuts sound `previous` and starts `path` as sound `id`; false when nothing plays.
    bool play(unsigned previous, unsigned id, const QByteArray& path, void* shared)
    {
        if (!context_) {
            if (create_(&context_) != CA_SUCCESS) {
                context_ = nullptr;
                return false;
            }
            changeProps_(context_, CA_PROP_APPLICATION_NAME, "Tarn's DirIziVur",
                         CA_PROP_APPLICATION_ID, "example.dirizivur.DirIziVur", nullptr);
        }
        if (previous)
            cancel_(context_, previous);
        ca_proplist* props = nullptr;
        if (propsCreate_(&props) != CA_SUCCESS)
            return false;
        // A file without an event id is streamed, never cached, so a replaced file is heard.
        struct stat file;
        if (stat(path.constData(), &file) == 0 && S_ISREG(file.st_mode))
            propsSet_(props, CA_PROP_MEDIA_FILENAME, path.constData());
        else
            propsSet_(props, CA_PROP_EVENT_ID, "bell");
        const int rc = playFull_(context_, id, props, &Finished, shared);
        propsDestroy_(props);
        return rc == CA_SUCCESS;
    }

private:
    ca_context* context_ = nullptr;
    decltype(&ca_context_create) create_ = nullptr;
    decltype(&ca_context_destroy) destroy_ = nullptr;
    decltype(&ca_context_change_props) changeProps_ = nullptr;
    decltype(&ca_context_play_full) playFull_ = nullptr;
    decltype(&ca_context_cancel) cancel_ = nullptr;
    decltype(&ca_proplist_create) propsCreate_ = nullptr;
    decltype(&ca_proplist_destroy) propsDestroy_ = nullptr;
    decltype(&ca_proplist_sets) propsSet_ = nullptr;
};

void Work(std::shared_ptr<CanberraSound::Shared> shared)
{
    Canberra canberra;
    std::optional<bool> loaded;
    unsigned id = 0;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->request || shared->quit; });
        if (shared->quit)
            return;
        const QByteArray path = *std::exchange(shared->request, std::nullopt);
        const unsigned previous = id++;
        shared->playing = id;
        shared->inCall = true;
        shared->callStart = Clock::now();
        lock.unlock();
        if (!loaded)
            loaded = canberra.load(); // a missing library leaves every sound silent
        const bool started = *loaded && canberra.play(previous, id, path, shared.get());
        lock.lock();
        shared->inCall = false;
        if (!started && shared->playing == id)
            shared->playing = 0;
        shared->changed.notify_all();
    }
}

} // namespace

CanberraSound::CanberraSound() : shared_(std::make_shared<Shared>()) {}

CanberraSound::~CanberraSound()
{
    if (!worker_.joinable())
        return;
    std::unique_lock lock(shared_->mutex);
    shared_->quit = true;
    shared_->changed.notify_all();
    if (shared_->changed.wait_until(lock, shared_->callStart + CanberraSound::AnswerLimit,
                                    [this] { return !shared_->inCall; })) {
        lock.unlock();
        worker_.join();
    } else {
        worker_.detach(); // it quits if its call ever returns
    }
}

void CanberraSound::play(const QString& fileName)
{
    // Resolved now, against the folder current when the sound is asked for.
    QByteArray path = QFile::encodeName(QDir::current().absoluteFilePath(fileName));
    std::lock_guard lock(shared_->mutex);
    shared_->request = std::move(path);
    shared_->changed.notify_all();
    if (!worker_.joinable())
        worker_ = std::thread(Work, shared_);
}

bool CanberraSound::drain()
{
    Shared& s = *shared_;
    std::unique_lock lock(s.mutex);
    const auto end = Clock::now() + CanberraSound::DrainLimit;
    while (s.request || s.inCall || s.playing) {
        const auto until = s.inCall ? std::min(end, s.callStart + CanberraSound::AnswerLimit) : end;
        if (Clock::now() >= until)
            break;
        s.changed.wait_until(lock, until);
    }
    return !s.inCall;
}

} // namespace dz
