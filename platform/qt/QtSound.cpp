#include "platform/qt/QtSound.h"

#include "platform/Overrides.h"
#include "platform/Sound.h"

#include <QApplication>
#include <canberra.h>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace nevalon::platform {
namespace {

// Sounds play on a thread of their own: reaching the sound server, reading the sound theme and
// decoding the file take time that the message shown next must not wait for. The thread keeps one
// sound context for the run.
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
        ca_context* context = nullptr;
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return ending_ || !pending_.empty(); });
            if (ending_) break;
            const char* eventId = pending_.front();
            pending_.pop_front();
            lock.unlock();
            bool played = PlayEvent(context, eventId);
            lock.lock();
            // The application outlives this thread: End() runs before it is destroyed.
            if (!played && QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [] { QApplication::beep(); }, Qt::QueuedConnection);
        }
        if (context) ca_context_destroy(context);
    }

    // Plays a sound-theme event; false when there is no context, sound server, device or sound.
    static bool PlayEvent(ca_context*& context, const char* eventId)
    {
        if (!context && ca_context_create(&context) != CA_SUCCESS) {
            context = nullptr;
            return false;
        }
        return ca_context_play(context, 0, CA_PROP_EVENT_ID, eventId, nullptr) == CA_SUCCESS;
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

void PlaySystemSound(int64_t sound)
{
    if (Overrides().systemSoundPlayer) {
        Overrides().systemSoundPlayer(sound);
        return;
    }
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
