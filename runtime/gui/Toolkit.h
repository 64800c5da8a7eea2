#pragma once

#include <string>

namespace nevalon::gui {

// Starts the toolkit: the platform application first, then the window library. False when the
// program cannot show windows here; `error` then says why in one line.
bool InitToolkit(int argc, char** argv, std::string& error);

// Closes every window and ends the platform application.
void EndToolkit();

} // namespace nevalon::gui
