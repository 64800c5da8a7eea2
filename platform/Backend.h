#pragma once

namespace nevalon::platform {

class ApplicationDriver;
class WindowDriver;
class ControlDriver;
class ScreenDriver;
class StatusItemDriver;
class DesktopDriver;
class TextDriver;

// What one backend does for the generic core, by area: the core and the free functions in platform/*.h reach
// the desktop only through these drivers. The backend owns them; they live for the whole run.
struct Backend {
    ApplicationDriver& application;
    WindowDriver& windows;
    ControlDriver& controls;
    ScreenDriver& screens;
    StatusItemDriver& statusItems;
    DesktopDriver& desktop;
    TextDriver& text;
};

// The backend the program is linked with. Each backend library defines this one function (platform/qt: in
// QtBackend.cpp) and a program links exactly one, through the nevalon_platform target.
const Backend& LinkedBackend();

} // namespace nevalon::platform
