#pragma once

#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

class Window;

// Seams that stand in for the desktop and drive the platform as a person would. They live in a
// library that only tests and tools link: the shipped program carries none of them.

// Answers alerts with this function instead of a person (empty restores the dialog).
void SetAlertResponderForTests(std::function<int(const AlertRequest&)> responder);

// The user's preferred languages from now on (std::nullopt restores the desktop's).
void SetPreferredLanguagesForTests(std::optional<std::vector<std::string>> languages);

// The operating-system version the platform reports from now on.
void SetOperatingSystemVersionForTests(OsVersion version);

// Describes the screens and the pointer instead of asking the platform (std::nullopt restores them).
void SetScreensForTests(std::optional<std::vector<Rect>> screens);
void SetPointerForTests(std::optional<Point> pointer);

// Hands every system sound to this function instead of playing it (empty plays them again).
void SetSystemSoundPlayerForTests(std::function<void(int64_t sound)> player);

// Queues a key press (and its release) for the window, delivered through the normal dispatch.
void PostKeyPressForTests(Window& window, const KeyEvent& key);

// Queues a pointer move over the window's content (a platform event that means nothing to the toolkit).
void PostPointerMoveForTests(Window& window, Point inContent);

// Queues a series of clicks (left or right button) at a point of the window's content as Qt delivers
// them: press, double click, press, ...; the first at `atMilliseconds`, each further one a millisecond later.
void PostClickForTests(Window& window, Point inContent, int clicks, bool rightButton,
                       uint64_t atMilliseconds);

// How a person answers a real alert.
enum class AlertAction { PressButton, PressEscape, CloseWindow };

// Once the next modal alert has been up for `afterMilliseconds`, answers it as a person would: presses
// the button with this title, presses Escape or clicks the close box. An alert that stays up is answered
// with its default button.
void AnswerNextAlertForTests(AlertAction action, const std::u16string& buttonTitle = u"",
                             int64_t afterMilliseconds = 0);

// Asks the window to close as its close box would.
void PostCloseRequestForTests(Window& window);

// Asks the application to quit as the desktop session would.
void PostQuitRequestForTests();

// The desktop portal's "color-scheme" values.
enum class ColorScheme : uint32_t { NoPreference = 0, Dark = 1, Light = 2 };

// Serves the desktop portal's colour scheme on the session bus named by DBUS_SESSION_BUS_ADDRESS, as a
// desktop does; once serving, a call announces the new scheme as a change. False when that bus does not
// answer.
bool ServeColorSchemeForTests(ColorScheme scheme);

// Takes that portal off the bus.
void StopColorSchemeServiceForTests();

// Puts a text field holding `text` into the window's content and gives it the keyboard focus, as a string
// gadget does; the function returned reads the field's text (empty once the window is gone).
std::function<std::u16string()> AddTextFieldForTests(Window& window, const std::u16string& text);

} // namespace nevalon::platform
