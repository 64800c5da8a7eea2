#include "platform/qt/QtSound.h"

#include "platform/Sound.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <canberra.h>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <dlfcn.h>
#include <mutex>
#include <thread>

namespace nevalon::platform {
namespace {

// The sound library, loaded at the first sound: it and the libraries it pulls in would otherwise be
// loaded and linked at every start, before the tray icon shows, for a sound that may never play.
class SoundLibrary {
public:
    SoundLibrary() : handle_(dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL))
    {
        if (!handle_) return;
        create_ = reinterpret_cast<decltype(create_)>(dlsym(handle_, "ca_context_create"));
        play_ = reinterpret_cast<decltype(play_)>(dlsym(handle_, "ca_context_play"));
        destroy_ = reinterpret_cast<decltype(destroy_)>(dlsym(handle_, "ca_context_destroy"));
    }
    // Stays loaded: the library's own threads may outlive its last context.
    ~SoundLibrary() = default;
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;

    // Plays a sound-theme event; false when there is no library, context, sound server, device or sound.
    bool Play(ca_context*& context, const char* eventId) const
    {
        if (!create_ || !play_ || !destroy_) return false;
        if (!context && create_(&context) != CA_SUCCESS) {
            context = nullptr;
            return false;
        }
        return play_(context, 0, CA_PROP_EVENT_ID, eventId, nullptr) == CA_SUCCESS;
    }
    void Destroy(ca_context* context) const
    {
        if (context && destroy_) destroy_(context);
    }

private:
    void* handle_ = nullptr;
    int (*create_)(ca_context**) = nullptr;
    int (*play_)(ca_context*, uint32_t, ...) = nullptr;
    int (*destroy_)(ca_context*) = nullptr;
};

// Sounds play on a thread of their own: loading the library, reaching the sound server, reading the sound
// theme and decoding the file take time that the message shown next must not wait for. The thread keeps
// one sound context for the run.
class SoundPlayer {
public:
    void Play(const char* eventId)
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) thread_ = std::thread(&SoundPlayer::Run, this);
        pending_.push_back(eventId);
        wake_.notify_one();
    }

    // Drops the sounds not yet started.
    void End()
    {
        {
            std::lock_guard lock(mutex_);
            if (!thread_.joinable()) return;
            ending_ = true;
        }
        wake_.notify_one();
        thread_.join();
        pending_.clear();
        ending_ = false;
    }

private:
    void Run()
    {
        static const SoundLibrary library;
        ca_context* context = nullptr;
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return ending_ || !pending_.empty(); });
            if (ending_) break;
            const char* eventId = pending_.front();
            pending_.pop_front();
            lock.unlock();
            bool played = library.Play(context, eventId);
            lock.lock();
            // The application outlives this thread: End() runs before it is destroyed.
            if (!played && QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [] { QApplication::beep(); }, Qt::QueuedConnection);
        }
        library.Destroy(context);
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<const char*> pending_;
    bool ending_ = false;
    std::thread thread_;
};

// Never destroyed by static destruction, which would meet a running thread: a program that ends
// without EndApplication ends the thread from an exit handler, while Qt is still whole.
SoundPlayer* player = nullptr;

} // namespace

void QtDesktopDriver::PlaySystemSound(int64_t sound)
{
    if (sound != kReminderSound) return;
    if (!player) {
        player = new SoundPlayer();
        std::atexit(EndSystemSounds);
    }
    player->Play("message");
}

void EndSystemSounds()
{
    if (player) player->End();
}

} // namespace nevalon::platform
