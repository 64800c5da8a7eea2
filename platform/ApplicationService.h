#pragma once

#include <functional>
#include <string>

namespace nevalon::platform {

// Asks the program that owns `busName` on the session bus to come forward (the freedesktop
// org.freedesktop.Application Activate at `objectPath`). A program that holds no name yet is waited for up
// to `waitMs`, as it may still be starting. Needs no StartApplication; false when no session bus answers or
// no program took the name in time.
bool ActivateRunningApplication(const std::string& busName, const std::string& objectPath, int waitMs);

// Takes `busName` on the session bus and answers org.freedesktop.Application at `objectPath`: Activate calls
// `activate` on the main thread; Open and ActivateAction get an empty answer and change nothing. Needs
// StartApplication. False when there is no session bus or another program holds the name.
bool ExportApplicationService(const std::string& busName, const std::string& objectPath,
                              std::function<void()> activate);

} // namespace nevalon::platform
