#pragma once

namespace nevalon::platform {

// Whether to run on X11 through XWayland in a Wayland session: only there can a window be placed under the
// pointer. True when both the Wayland and the X11 display are named (set and not empty) and the user chose
// no windowing platform of their own (QT_QPA_PLATFORM); the arguments are those variables' values or null.
bool PreferXWayland(const char* qtPlatform, const char* waylandDisplay, const char* x11Display);

} // namespace nevalon::platform
