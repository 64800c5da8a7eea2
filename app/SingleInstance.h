#pragma once

namespace nevalon::app {

// The program's name on the session bus and its object there.
inline constexpr const char* kBusName = "com.brask.Nevalon";
inline constexpr const char* kBusObjectPath = "/com/brask/Nevalon";

// Makes this start the user's only running program. True when it is (or when no lock can be made at all,
// so that the program still runs); false when another one runs: it has been asked to open its list
// window, or, where it cannot be reached, a line on stderr says that Nevalon already runs.
bool BecomeOnlyInstance();

// Answers a later start on the session bus: it opens the list window as a click on the status-bar icon
// does, or brings an open one to the front. Needs the toolkit; does nothing without a session bus.
void ServeLaterStarts();

// Called when a later start asks for the list window (Activate on the session bus): queues the tray
// menu's open request.
void LaterStartActivated();

} // namespace nevalon::app
