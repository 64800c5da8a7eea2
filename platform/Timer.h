#pragma once

#include "platform/Object.h"

#include <cstdint>
#include <functional>

namespace nevalon::platform {

// A repeating run-loop timer ("NSTimer"). It fires on the main thread, and only while the program
// waits in its event loop outside a modal session: a tick due during a modal session is dropped and
// the next one comes a period later; ticks missed while the program is busy come as one.
class Timer : public Object {
public:
    using Object::Object;

    // Stops the timer for good: it never fires again, whoever still holds it.
    virtual void Invalidate() = 0;
    virtual bool IsValid() const = 0;
};

// A started timer that calls `fire` every `periodMs` milliseconds, the first time one period from now,
// with one reference owned by the caller; null for a period below 1 or without a running application.
// `fire` may invalidate or release the timer. Periods beyond 2^31 - 1 ms (24.8 days) are cut to that.
Timer* CreateRepeatingTimer(int64_t periodMs, std::function<void()> fire);

} // namespace nevalon::platform
