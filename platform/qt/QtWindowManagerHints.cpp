#include "platform/qt/QtWindowManagerHints.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

namespace nevalon::platform {
namespace {

// _MOTIF_WM_HINTS holds five fields: flags, functions, decorations, input mode, status.
constexpr uint32_t kMotifHintsFunctions = 1;
constexpr uint32_t kMotifFunctionAll = 1, kMotifFunctionMove = 4;
// What "all" stands for: resize, move, minimize, maximize, close.
constexpr uint32_t kMotifEveryFunction = 2 | 4 | 8 | 16 | 32;
constexpr uint32_t kNetWmStateRemove = 0, kNetWmStateAdd = 1, kFromApplication = 1;

xcb_connection_t* Connection()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    // Atoms belong to the X server, which stays the same for the life of the process.
    static std::map<std::string, xcb_atom_t> atoms;
    if (auto found = atoms.find(name); found != atoms.end()) return found->second;
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    if (atom != XCB_ATOM_NONE) atoms[name] = atom;
    return atom;
}

std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    std::vector<uint32_t> values;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
    if (reply && reply->format == 32 && reply->type == type) {
        auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

xcb_window_t RootOf(xcb_connection_t* c, xcb_window_t window)
{
    xcb_query_tree_reply_t* reply = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    xcb_window_t root = reply ? reply->root : xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::free(reply);
    return root;
}

} // namespace

void SetSkipTaskbar(QWidget& window, bool skip, bool mapped)
{
    xcb_connection_t* c = Connection();
    if (!c) return;
    auto id = static_cast<xcb_window_t>(window.winId());
    xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    xcb_atom_t taskbar = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), pager = Atom(c, "_NET_WM_STATE_SKIP_PAGER");
    if (mapped) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = state;
        message.data.data32[0] = skip ? kNetWmStateAdd : kNetWmStateRemove;
        message.data.data32[1] = taskbar;
        message.data.data32[2] = pager;
        message.data.data32[3] = kFromApplication;
        xcb_send_event(c, 0, RootOf(c, id),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        std::vector<uint32_t> states = Property(c, id, state, XCB_ATOM_ATOM);
        std::erase_if(states, [&](uint32_t s) { return s == taskbar || s == pager; });
        if (skip) states.insert(states.end(), {taskbar, pager});
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(states.size()), states.data());
    }
    xcb_flush(c);
}

void SetMovableByUser(QWidget& window, bool movable)
{
    xcb_connection_t* c = Connection();
    if (!c) return;
    auto id = static_cast<xcb_window_t>(window.winId());
    xcb_atom_t motif = Atom(c, "_MOTIF_WM_HINTS");
    std::vector<uint32_t> hints = Property(c, id, motif, motif);
    hints.resize(5, 0);
    uint32_t functions = (hints[0] & kMotifHintsFunctions) ? hints[1] : kMotifFunctionAll;
    // With the "all" bit set, the other bits name the functions left out.
    if (functions & kMotifFunctionAll) functions = kMotifEveryFunction & ~functions;
    if (bool(functions & kMotifFunctionMove) == movable) return;
    hints[0] |= kMotifHintsFunctions;
    hints[1] = movable ? functions | kMotifFunctionMove : functions & ~kMotifFunctionMove;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, motif, motif, 32, 5, hints.data());
    xcb_flush(c);
}

std::optional<QMargins> AskFrameExtents(QWidget& window)
{
    xcb_connection_t* c = Connection();
    if (!c) return std::nullopt;
    auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = RootOf(c, id);
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS"), extents = Atom(c, "_NET_FRAME_EXTENTS");
    const std::vector<uint32_t> supported = Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), request) == supported.end()) return std::nullopt;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    // The window manager answers on its own time, by setting the property; it rarely takes a millisecond.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    do {
        const std::vector<uint32_t> widths = Property(c, id, extents, XCB_ATOM_CARDINAL);
        if (widths.size() == 4)
            return QMargins(static_cast<int>(widths[0]), static_cast<int>(widths[2]),
                            static_cast<int>(widths[1]), static_cast<int>(widths[3]));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

std::optional<std::vector<QRect>> UnreservedAreas(const std::vector<QRect>& screens)
{
    xcb_connection_t* c = Connection();
    if (!c) return std::nullopt;
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int rootWidth = root->width_in_pixels, rootHeight = root->height_in_pixels;
    const xcb_atom_t partial = Atom(c, "_NET_WM_STRUT_PARTIAL"), whole = Atom(c, "_NET_WM_STRUT");
    std::vector<QRect> areas = screens;
    for (xcb_window_t window : Property(c, root->root, Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
        std::vector<uint32_t> strut = Property(c, window, partial, XCB_ATOM_CARDINAL);
        if (strut.size() < 12) {
            // The old form reserves each edge along its whole length.
            strut = Property(c, window, whole, XCB_ATOM_CARDINAL);
            if (strut.size() < 4) continue;
            strut.resize(12);
            for (int edge = 0; edge < 4; ++edge)
                strut[5 + 2 * edge] = uint32_t(edge < 2 ? rootHeight : rootWidth) - 1;
        }
        const auto [left, right, top, bottom] =
            std::array{int(strut[0]), int(strut[1]), int(strut[2]), int(strut[3])};
        for (QRect& area : areas) {
            // The band a strut reserves meets the screen where its start-to-end range overlaps it.
            auto meets = [](int start, int end, int from, int length) {
                return start < from + length && end >= from;
            };
            // An edge counted from the root's edge that ends outside the screen belongs to another one.
            auto within = [](int edge, int from, int length) { return edge > from && edge < from + length; };
            if (within(top, area.top(), area.height()) &&
                meets(int(strut[8]), int(strut[9]), area.left(), area.width()))
                area.setTop(top);
            if (within(rootHeight - bottom, area.top(), area.height()) &&
                meets(int(strut[10]), int(strut[11]), area.left(), area.width()))
                area.setBottom(rootHeight - bottom - 1);
            if (within(left, area.left(), area.width()) &&
                meets(int(strut[4]), int(strut[5]), area.top(), area.height()))
                area.setLeft(left);
            if (within(rootWidth - right, area.left(), area.width()) &&
                meets(int(strut[6]), int(strut[7]), area.top(), area.height()))
                area.setRight(rootWidth - right - 1);
        }
    }
    return areas;
}

void AnswerLaunch(const std::string& launchId)
{
    xcb_connection_t* c = Connection();
    if (!c || launchId.empty()) return;
    // The freedesktop "remove" message, ended by a zero byte, goes to the root window in 20-byte
    // pieces: the first as _NET_STARTUP_INFO_BEGIN, the rest as _NET_STARTUP_INFO.
    std::string message = "remove: ID=\"";
    for (char ch : launchId) {
        if (ch == '"' || ch == '\\') message += '\\';
        message += ch;
    }
    message += '"';
    message += '\0';
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_atom_t begin = Atom(c, "_NET_STARTUP_INFO_BEGIN"), more = Atom(c, "_NET_STARTUP_INFO");
    for (size_t at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = root;
        event.type = at == 0 ? begin : more;
        message.copy(reinterpret_cast<char*>(event.data.data8), 20, at);
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
    }
    xcb_flush(c);
}

void FlushToDisplay()
{
    if (xcb_connection_t* c = Connection()) xcb_flush(c);
}

} // namespace nevalon::platform
