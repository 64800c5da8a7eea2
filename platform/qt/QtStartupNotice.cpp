#include "platform/Application.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <string>
#include <xcb/xcb.h>

namespace nevalon::platform {
namespace {

// Read before Qt starts: Qt takes the variable out of the environment and answers the launch only
// when a window first shows, which a program living in the tray may never do.
const std::string launchId = [] {
    const char* id = std::getenv("DESKTOP_STARTUP_ID");
    return std::string(id ? id : "");
}();
bool answered = false;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The freedesktop startup-notification "remove" message: 20-byte pieces sent to the root window,
// the first as _NET_STARTUP_INFO_BEGIN, the rest as _NET_STARTUP_INFO, the text ending in a zero byte.
void SendLaunchAnswer(xcb_connection_t* connection)
{
    std::string message = "remove: ID=\"";
    for (char c : launchId) {
        if (c == '"' || c == '\\') message += '\\';
        message += c;
    }
    message += '"';
    message += '\0';
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return;
    xcb_atom_t begin = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
    for (size_t at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = screen->root;
        event.type = at == 0 ? begin : more;
        message.copy(reinterpret_cast<char*>(event.data.data8), 20, at);
        xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
}

} // namespace

void BringProcessToFront()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && !launchId.empty() && !answered) {
        SendLaunchAnswer(x11->connection());
        answered = true;
    }
    ActivateApplication();
}

} // namespace nevalon::platform
