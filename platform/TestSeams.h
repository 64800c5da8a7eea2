#pragma once

#include "platform/Application.h"
#include "platform/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

class Window;

// Test seams that drive the platform as a person would; used by tests and tools only.

// Queues a key press (and its release) for the window, delivered through the normal dispatch.
void PostKeyPressForTests(Window& window, const KeyEvent& key);

// Queues a pointer move over the window's content (a platform event that means nothing to the toolkit).
void PostPointerMoveForTests(Window& window, Point inContent);

// Queues a click (1 or 2 clicks, left or right button) at a point of the window's content.
void PostClickForTests(Window& window, Point inContent, int clicks, bool rightButton);

// Asks the window to close as its close box would.
void PostCloseRequestForTests(Window& window);

// The user's preferred languages from now on (std::nullopt restores the desktop's).
void SetPreferredLanguagesForTests(std::optional<std::vector<std::string>> languages);

// Asks the application to quit as the desktop session would.
void PostQuitRequestForTests();

} // namespace nevalon::platform
