#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace nevalon::platform {

// Hears of a wake from sleep (logind on the system bus), a set wall clock (a timer file descriptor cancelled
// when the clock is set) and a replaced time zone file (inotify on /etc), and calls one handler for each.
class ClockChanges final : public QObject {
    Q_OBJECT

public:
    ClockChanges(std::function<void()> changed, QObject* parent);
    ~ClockChanges() override;
    ClockChanges(const ClockChanges&) = delete;
    ClockChanges& operator=(const ClockChanges&) = delete;

    void SetHandler(std::function<void()> changed) { changed_ = std::move(changed); }

private slots:
    void PrepareForSleep(bool starting);

private:
    void ArmClockTimer();
    void ClockTimerReady();
    void ZoneFolderChanged();

    std::function<void()> changed_;
    int clockTimer_ = -1;
    int zoneWatch_ = -1;
};

} // namespace nevalon::platform
