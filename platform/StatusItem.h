#pragma once

#include "platform/Geometry.h"
#include "platform/Object.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace nevalon::platform {

class Image;
class Menu;

// An icon in the desktop's tray ("NSStatusItem"), shown from its first picture for as long as the object
// lives. Where no tray host runs yet, it appears once one does.
class StatusItem : public Object {
public:
    using Object::Object;

    // Shows a copy of the picture, made to read on light and dark panels alike.
    virtual void SetImage(const Image& image) = 0;
    virtual void SetToolTip(const std::u16string& text) = 0;
    // Called on a plain click on the icon. Tray hosts that never deliver clicks show the menu instead.
    virtual void SetClickHandler(std::function<void()> handler) = 0;
    // The icon's context menu (held): what a right click shows, and what hosts that deliver no click
    // show for a left one. Null: none.
    virtual void SetMenu(Menu* menu) = 0;
    // Where the icon shows on the screen; none where the tray host does not tell (StatusNotifierItem hosts).
    virtual std::optional<Rect> ScreenFrame() const = 0;
};

// A new tray icon without picture, with one reference owned by the caller; null without a running
// application.
StatusItem* CreateStatusItem();

// Calls `missing` once if no tray host runs `graceMs` from now (a session may start its panel after the
// programs it starts); never if one does by then. Needs a running application.
void CheckTrayHostAfter(int64_t graceMs, std::function<void()> missing);

} // namespace nevalon::platform
