#pragma once

namespace nevalon::app {

// Services of the desktop shell that several windows and notices share; this unit knows none of them.

// Brings every window of the program to the front, whichever application is active.
void BringApplicationToFront();

// Shows the next event to come and its countdown as the status icon's tooltip; "Nevalon" alone when no
// event lies ahead.
void UpdateStatusIconToolTip();

} // namespace nevalon::app
