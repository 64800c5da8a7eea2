#pragma once

#include <string>

namespace nevalon::platform {

// Shows a passing notice on the desktop and returns at once: a notification where a notification server
// answers on the session bus, else a message window that blocks nothing. Needs a running application.
void ShowDesktopNotice(const std::u16string& summary, const std::u16string& body);

// The program the notices come from: its name and the icon theme name of its picture ("" until set: the
// name is then the program file's).
void SetDesktopNoticeSender(const std::u16string& name, const std::u16string& iconName);

} // namespace nevalon::platform
