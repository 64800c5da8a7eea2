#pragma once

#include <cstdint>

namespace nevalon::system {

// Writes all `count` bytes to the descriptor, again after each interruption, with `signal` held back while it
// does: the write that would raise it (SIGXFSZ, SIGPIPE) fails with `signalError` (EFBIG, EPIPE) instead of
// ending the program, and the signal it raised is taken back unless one was already pending. Returns the
// bytes written; short of `count`, errno tells why.
int64_t WriteHoldingSignal(int stream, const unsigned char* bytes, int64_t count, int signal,
                           int signalError);

} // namespace nevalon::system
