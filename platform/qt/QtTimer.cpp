#include "platform/Class.h"
#include "platform/ModalSession.h"
#include "platform/Timer.h"
#include "platform/qt/QtDrivers.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace nevalon::platform {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;
    QtTimer(int periodMs, std::function<void()> fire)
        : Timer(FindClass("NSTimer")), fire_(std::move(fire)),
          timer_(new QTimer(QCoreApplication::instance()))
    {
        // A coarse timer may be late by 5 % of its period: three seconds a minute.
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Fire(); });
        timer_->start(periodMs);
    }

    ~QtTimer() override
    {
        Invalidate();
        // Not deleted at once: this may run inside the Qt timer's own timeout.
        if (timer_) timer_->deleteLater();
    }

    void Invalidate() override
    {
        if (timer_) timer_->stop();
        fire_ = nullptr;
    }

    bool IsValid() const override { return fire_ != nullptr; }

private:
    void Fire()
    {
        if (!fire_ || InModalSession()) return;
        // A copy: the call may invalidate or release this timer, and with it `fire_`.
        std::function<void()> fire = fire_;
        fire();
    }

    std::function<void()> fire_;
    // Owned by the application object, so that it goes with it if the timer outlives it.
    QPointer<QTimer> timer_;
};

} // namespace

Timer* QtApplicationDriver::CreateRepeatingTimer(int64_t periodMs, std::function<void()> fire)
{
    if (periodMs < 1 || !fire || !QCoreApplication::instance()) return nullptr;
    return new QtTimer(static_cast<int>(std::min<int64_t>(periodMs, INT_MAX)), std::move(fire));
}

} // namespace nevalon::platform
