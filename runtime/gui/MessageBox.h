#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

enum MessageBoxFlags : int64_t {
    MessageBoxYesNo = 1,
    MessageBoxYesNoCancel = 2,
    MessageBoxNoteIcon = 4,
    MessageBoxStopIcon = 8,
    MessageBoxCautionIcon = 16,
};

// Answers of ShowMessageBox.
enum MessageBoxResult : int64_t {
    MessageBoxOk = 0,
    MessageBoxCancel = 2,
    MessageBoxYes = 6,
    MessageBoxNo = 7
};

// Shows a modal alert and returns which button closed it: 0 for the one-button form, else 6 Yes,
// 7 No, 2 Cancel; closed without a button it answers No (Cancel when offered). The window that was
// key before is key again afterwards.
int64_t ShowMessageBox(const std::u16string& title, const std::u16string& text, int64_t flags = 0);

} // namespace nevalon::gui
