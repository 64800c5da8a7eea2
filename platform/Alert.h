#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

enum class AlertIcon { Informational, Note, Stop, Caution };

struct AlertRequest {
    std::u16string messageText;
    std::u16string informativeText;
    AlertIcon icon = AlertIcon::Informational;
    // Button titles; the first is the default button. Empty means one "OK" button.
    std::vector<std::u16string> buttons;
    // The button that Escape and the close box press; the last one when the request names none.
    std::optional<size_t> escapeButton;
};

// What RunAlert answers for an alert closed without a button (where the desktop lets that happen).
constexpr int kAlertDismissed = -1;

// Runs a modal alert and returns the index of the pressed button (0 for the first), or
// kAlertDismissed. Escape and the close box press the request's escape button.
int RunAlert(const AlertRequest& request);

// The user's preferred languages, most preferred first ("de-DE", "en-US", ...).
std::vector<std::string> PreferredLanguages();

} // namespace nevalon::platform
