#pragma once

#include <cstdint>

namespace nevalon::app {

// Creates the run-time observer class "Kx_KVO", one instance of it, and registers that
// instance on the shared application for "effectiveAppearance".
void ObserveAppearance();

// Removes the observer from the shared application.
void StopObservingAppearance();

// The observer's method: applies a new appearance and posts the appearance-changed event.
void AppearanceChanged(int64_t observer, int64_t selector, int64_t keyPath, int64_t object, int64_t change,
                       int64_t context);

} // namespace nevalon::app
