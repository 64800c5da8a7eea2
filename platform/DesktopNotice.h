#pragma once

#include <string>

namespace nevalon::platform {

// Shows a passing notice on the desktop and returns at once: a notification where a notification server
// answers on the session bus, else a message window that blocks nothing. Needs a running application.
void ShowDesktopNotice(const std::u16string& summary, const std::u16string& body);

} // namespace nevalon::platform
