#include "platform/Object.h"
#include "platform/testing/TestSeams.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWindow>
#include <csignal>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <sys/socket.h>
#include <unistd.h>

namespace nevalon::platform {
namespace {

int64_t EntriesIn(const char* folder)
{
    std::error_code error;
    int64_t count = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        ++count;
    return count;
}

int signalSocket[2] = {-1, -1};
std::map<int, std::function<void()>> signalHandlers;

void ForwardSignal(int signal)
{
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] ssize_t n = write(signalSocket[1], &byte, 1);
}

} // namespace

ResourceCountsForTests CountResourcesForTests()
{
    ResourceCountsForTests counts;
    if (QCoreApplication::instance()) {
        counts.widgets = QApplication::allWidgets().size();
        counts.windows = QGuiApplication::allWindows().size();
        counts.applicationChildren = QCoreApplication::instance()->children().size();
    }
    counts.objects = LiveObjectCount();
    const struct mallinfo2 heap = mallinfo2();
    counts.heapBytes = static_cast<int64_t>(heap.uordblks + heap.hblkhd);
    // The listing itself holds one descriptor while it runs.
    counts.files = EntriesIn("/proc/self/fd") - 1;
    counts.threads = EntriesIn("/proc/self/task");
    return counts;
}

void HandleSignalForTests(int signal, std::function<void()> handler)
{
    if (!QCoreApplication::instance()) return;
    if (signalSocket[0] < 0) {
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSocket) != 0) return;
        auto* notifier = new QSocketNotifier(signalSocket[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            char byte = 0;
            while (read(signalSocket[0], &byte, 1) > 0)
                if (auto found = signalHandlers.find(byte); found != signalHandlers.end()) found->second();
        });
    }
    signalHandlers[signal] = std::move(handler);
    struct sigaction action {};
    action.sa_handler = ForwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

} // namespace nevalon::platform
