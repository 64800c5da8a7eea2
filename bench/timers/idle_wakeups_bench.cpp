// Idle wake-ups: a program waiting in WaitEvent with one window timer, against a bare Qt program
// waiting in a QEventLoop with a QTimer of the same period. A wake-up is a voluntary context switch
// of the main thread: a sleep it was woken from. Prints both, per tick, and their ratio.
// Usage: idle_wakeups_bench [period-ms [ticks]]   (default: 1000 ms, 5 ticks)
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

using namespace nevalon::gui;

namespace {

struct Run {
    long wakeUps = 0;
    long loopReturns = 0;
};

long VoluntarySwitches()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

Run Toolkit(int period, int ticks)
{
    CreateWindow(0, 0, 0, 1, 1, u"", WindowInvisible);
    while (WaitEvent(200) != 0) {
    }
    Run run;
    long before = VoluntarySwitches();
    StartWindowTimer(0, 1, period);
    for (int seen = 0; seen < ticks; ++run.loopReturns)
        if (WaitEvent() == EventTimer) ++seen;
    run.wakeUps = VoluntarySwitches() - before;
    StopWindowTimer(0, 1);
    return run;
}

Run BareQt(int period, int ticks)
{
    QCoreApplication::processEvents();
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    int seen = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++seen == ticks) loop.quit();
    });
    Run run;
    long before = VoluntarySwitches();
    timer.start(period);
    loop.exec();
    run.wakeUps = VoluntarySwitches() - before;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    int period = argc > 1 ? std::atoi(argv[1]) : 1000;
    int ticks = argc > 2 ? std::atoi(argv[2]) : 5;
    if (period < 1 || ticks < 1) {
        std::fprintf(stderr, "usage: %s [period-ms [ticks]]\n", argv[0]);
        return 2;
    }
    // The timers are measured, not a desktop: neither run sees a display's events.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string error;
    if (!InitToolkit(argc, argv, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Run bare = BareQt(period, ticks);
    Run nevalon = Toolkit(period, ticks);
    EndToolkit();

    std::printf("idle wake-ups of the main thread over %d ticks of a %d ms timer\n", ticks, period);
    std::printf("%-26s %9s %9s %7s\n", "", "nevalon", "bare Qt", "ratio");
    std::printf("%-26s %9ld %9ld %7.2f\n", "wake-ups", nevalon.wakeUps, bare.wakeUps,
                bare.wakeUps ? double(nevalon.wakeUps) / double(bare.wakeUps) : 0.0);
    std::printf("%-26s %9.2f %9.2f\n", "wake-ups per tick", double(nevalon.wakeUps) / ticks,
                double(bare.wakeUps) / ticks);
    std::printf("%-26s %9.2f\n", "WaitEvent returns per tick", double(nevalon.loopReturns) / ticks);
    return 0;
}
