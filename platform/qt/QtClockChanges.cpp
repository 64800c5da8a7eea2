#include "platform/qt/QtClockChanges.h"

#include "platform/ClockChanges.h"
#include "platform/qt/QtDrivers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace nevalon::platform {
namespace {

const char* const kSystemConnection = "nevalon-clock-changes";
const char* const kZoneFolder = "/etc";
const char* const kZoneFile = "localtime";
// About ten years: the timer exists to be cancelled, and is armed again should it ever run out.
constexpr time_t kFarAhead = 315360000;

// Ends with the application object.
QPointer<ClockChanges> clockChanges;

} // namespace

ClockChanges::ClockChanges(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed))
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SystemBus, kSystemConnection);
    if (bus.isConnected())
        bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                    "PrepareForSleep", this, SLOT(PrepareForSleep(bool)));

    clockTimer_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (clockTimer_ >= 0) {
        ArmClockTimer();
        auto* notifier = new QSocketNotifier(clockTimer_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &ClockChanges::ClockTimerReady);
    }

    // The zone file is replaced, not written, when the zone changes: watch its folder for the new name.
    zoneWatch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (zoneWatch_ >= 0 &&
        inotify_add_watch(zoneWatch_, kZoneFolder, IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE) >= 0) {
        auto* notifier = new QSocketNotifier(zoneWatch_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &ClockChanges::ZoneFolderChanged);
    }
}

ClockChanges::~ClockChanges()
{
    QDBusConnection::disconnectFromBus(kSystemConnection);
    if (clockTimer_ >= 0) close(clockTimer_);
    if (zoneWatch_ >= 0) close(zoneWatch_);
}

void ClockChanges::PrepareForSleep(bool starting)
{
    if (!starting && changed_) changed_();
}

void ClockChanges::ArmClockTimer()
{
    itimerspec when{};
    clock_gettime(CLOCK_REALTIME, &when.it_value);
    when.it_value.tv_sec += kFarAhead;
    timerfd_settime(clockTimer_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr);
}

void ClockChanges::ClockTimerReady()
{
    uint64_t expirations = 0;
    // ECANCELED: the clock was set (or the machine resumed); either way the timer must be armed again.
    const bool set = read(clockTimer_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
    ArmClockTimer();
    if (set && changed_) changed_();
}

void ClockChanges::ZoneFolderChanged()
{
    alignas(inotify_event) char buffer[4096];
    bool zone = false;
    for (ssize_t length = 0; (length = read(zoneWatch_, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0 && std::strcmp(event->name, kZoneFile) == 0) zone = true;
            at += sizeof(inotify_event) + event->len;
        }
    }
    if (zone && changed_) changed_();
}

void QtDesktopDriver::SetClockChangeHandler(std::function<void()> changed)
{
    if (clockChanges)
        clockChanges->SetHandler(std::move(changed));
    else if (QCoreApplication::instance())
        clockChanges = new ClockChanges(std::move(changed), QCoreApplication::instance());
}

} // namespace nevalon::platform
