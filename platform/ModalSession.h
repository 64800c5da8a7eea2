#pragma once

namespace nevalon::platform {

// A modal session runs an event loop of its own: a modal alert's, or a menu's while it is tracked.
// Run-loop timers deliver no tick while one runs. Sessions nest; each Begin needs its End.
void BeginModalSession();
void EndModalSession();
bool InModalSession();

// Holds a modal session for the scope it lives in.
class ModalSessionScope {
public:
    ModalSessionScope() { BeginModalSession(); }
    ~ModalSessionScope() { EndModalSession(); }
    ModalSessionScope(const ModalSessionScope&) = delete;
    ModalSessionScope& operator=(const ModalSessionScope&) = delete;
};

} // namespace nevalon::platform
