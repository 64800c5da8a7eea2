#include "runtime/system/files/WriteHoldingSignal.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <pthread.h>
#include <unistd.h>

namespace nevalon::system {

int64_t WriteHoldingSignal(int stream, const unsigned char* bytes, int64_t count, int signal, int signalError)
{
    sigset_t held, previous, pending;
    sigemptyset(&held);
    sigaddset(&held, signal);
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, signal) == 1;
    pthread_sigmask(SIG_BLOCK, &held, &previous);
    int64_t done = 0;
    bool raised = false;
    while (done < count) {
        const ssize_t put = write(stream, bytes + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            raised = put < 0 && errno == signalError;
            break;
        }
        done += put;
    }
    // errno keeps the failed write's reason for the caller.
    const int error = errno;
    if (raised && !alreadyPending) {
        const timespec now{0, 0};
        sigtimedwait(&held, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return done;
}

} // namespace nevalon::system
