#pragma once

#include <QMargins>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace nevalon::platform {

// Requests to an X11 window manager about a top-level widget's window (EWMH and Motif hints). Each
// does nothing unless Qt runs on X11 (the "xcb" platform).

// Keeps the window out of the taskbar and the pager, or lets it back in. An unmapped window gets
// the states written on it (Qt adds its own when it maps the window); the window manager owns them
// on a mapped window, so it is asked instead.
void SetSkipTaskbar(QWidget& window, bool skip, bool mapped);

// Lets the user move the window through the window manager, or not (the Motif move function). Qt
// rewrites those hints whenever the window's flags change, so a caller applies this again then.
void SetMovableByUser(QWidget& window, bool movable);

// The widths of the frame the window manager will draw around the window (not yet shown), as it answers
// _NET_REQUEST_FRAME_EXTENTS; none when it does not take the request or does not answer within a moment.
std::optional<QMargins> AskFrameExtents(QWidget& window);

// Each screen (in root-window pixels) less the edges that panels reserve on it with struts
// (_NET_WM_STRUT_PARTIAL, else _NET_WM_STRUT, of the managed windows): with several screens, the window
// manager's one work area covers them all and Qt answers each screen whole. None unless on X11.
std::optional<std::vector<QRect>> UnreservedAreas(const std::vector<QRect>& screens);

// Sends what Qt has queued for the X server now, rather than when the program next waits for events.
void FlushToDisplay();

// Tells the desktop that the launch with this startup-notification id has started (its busy cursor
// ends); an empty id does nothing.
void AnswerLaunch(const std::string& launchId);

} // namespace nevalon::platform
