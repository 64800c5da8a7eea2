#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::app {

using system::String;

// The gear button's handler: builds the settings menu afresh and shows it over the list window; the
// choice arrives as a menu event. Returns 0.
int64_t ShowSettingsMenu();

// A shortcut written with modifier symbols, in words: "⌘Q" gives "Cmd+Q".
String ShortcutText(const String& symbols);

// The about box; its second button opens the maker's page of other apps.
void ShowAboutBox();

// Opens a web page in the user's browser, then brings an open list window back to the front.
void OpenWebPage(const String& address);

// The pages the settings menu opens.
inline constexpr const char16_t* kDonationPage = u"https://nevalon.app/coffee";
inline constexpr const char16_t* kOtherAppsPage = u"https://nevalon.app/apps";

} // namespace nevalon::app
