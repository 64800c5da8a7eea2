#pragma once

#include <string>

namespace nevalon::gui {

// Who the program is, as the toolkit names it to people and to the desktop.
struct ProductIdentity {
    // The name people know it by: the tray menu's "Open <name>" and "Quit <name>", the tray icon's first
    // tooltip and the sender of desktop notices.
    std::u16string name;
    // The reverse-domain name the desktop knows it by: its settings are kept in "<identifier>.conf".
    std::u16string identifier;
    // The icon theme name of its picture, shown with its desktop notices.
    std::u16string iconName;
};

// Names the program for the toolkit and the platform; the program does so once, before InitToolkit. Until
// then the names are empty: the menu reads "Open" and "Quit", and the settings file is named after the
// program file.
void SetProductIdentity(ProductIdentity identity);

// What SetProductIdentity last gave.
const ProductIdentity& Product();

// Starts the toolkit: the platform application first, then the window library. False when the
// program cannot show windows here; `error` then says why in one line.
bool InitToolkit(int argc, char** argv, std::string& error);

// Closes every window and ends the platform application.
void EndToolkit();

} // namespace nevalon::gui
