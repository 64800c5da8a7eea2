// Watches and clicks tray icons for bench/run, without starting a process per look or per click. Times
// are wall-clock seconds, as bash's EPOCHREALTIME.
//   tray_probe wait NAME [timeout-seconds]   waits until the tray host ("panel", as trayer names its
//                                            window) shows a mapped icon window of class NAME, polling
//                                            every millisecond; prints when it saw it and the icon's centre
//   tray_probe click NAME                    puts the pointer on that icon, then presses and releases the
//                                            left button through XTEST; prints when the press was sent
// Exit 1 when there is no such icon (in time).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

std::string Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_STRING, 0, 256), nullptr),
        &std::free);
    if (!reply) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t window)
{
    Reply<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr),
                                        &std::free);
    if (!reply) return {};
    const xcb_window_t* first = xcb_query_tree_children(reply.get());
    return {first, first + xcb_query_tree_children_length(reply.get())};
}

bool Viewable(xcb_connection_t* c, xcb_window_t window)
{
    Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr), &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// WM_CLASS holds the instance and the class name, each ended by a zero byte.
bool HasClass(xcb_connection_t* c, xcb_window_t window, const std::string& name)
{
    const std::string value = Property(c, window, XCB_ATOM_WM_CLASS);
    const size_t end = value.find('\0');
    return value.substr(0, end) == name ||
           (end != std::string::npos && value.substr(end + 1).starts_with(name));
}

xcb_window_t Find(xcb_connection_t* c, xcb_window_t under, const std::string& name, int depth = 0)
{
    for (xcb_window_t child : Children(c, under)) {
        if (HasClass(c, child, name) && Viewable(c, child)) return child;
        if (depth < 4)
            if (xcb_window_t found = Find(c, child, name, depth + 1)) return found;
    }
    return 0;
}

xcb_window_t Panel(xcb_connection_t* c, xcb_window_t root)
{
    for (xcb_window_t child : Children(c, root)) {
        if (Property(c, child, XCB_ATOM_WM_NAME) == "panel") return child;
        for (xcb_window_t inner : Children(c, child))
            if (Property(c, inner, XCB_ATOM_WM_NAME) == "panel") return inner;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 2 ? argv[1] : "";
    if (command != "wait" && command != "click") {
        std::fprintf(stderr, "usage: %s wait|click NAME [timeout-seconds]\n", argv[0]);
        return 2;
    }
    const std::string name = argv[2];
    const int seconds = command == "click" ? 1 : argc > 3 ? std::atoi(argv[3]) : 20;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "tray_probe: no display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto now = [] {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    };
    for (xcb_window_t panel = 0; std::chrono::steady_clock::now() < limit;
         std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        if (!panel) panel = Panel(c, root);
        if (!panel) continue;
        const xcb_window_t icon = Find(c, panel, name);
        if (!icon) continue;
        const double seen = now();
        Reply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c, xcb_get_geometry(c, icon), nullptr),
                                             &std::free);
        Reply<xcb_translate_coordinates_reply_t> at(
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, icon, root, 0, 0), nullptr),
            &std::free);
        if (!size || !at) continue;
        const int x = at->dst_x + size->width / 2, y = at->dst_y + size->height / 2;
        if (command == "wait") {
            std::printf("%.6f %d %d\n", seen, x, y);
        } else {
            xcb_warp_pointer(c, XCB_NONE, root, 0, 0, 0, 0, static_cast<int16_t>(x), static_cast<int16_t>(y));
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            // The program sees the pointer arrive before the press, as it would under a hand.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const double pressed = now();
            xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            std::printf("%.6f\n", pressed);
        }
        xcb_disconnect(c);
        return 0;
    }
    xcb_disconnect(c);
    std::fprintf(stderr, "tray_probe: no icon of class %s in the tray\n", name.c_str());
    return 1;
}
