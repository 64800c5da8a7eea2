#pragma once

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/View.h"

#include <cstdint>

namespace nevalon::platform {

class Window;

// Controls, container views and menus: the backend's share of Controls.h, View.h and Menu.h, whose free
// functions forward here. Every Create answers a new object with one reference owned by the caller, or null
// without a running application; the object's own class (Controls.h, View.h, Menu.h) states its duties.
class ControlDriver {
public:
    virtual ~ControlDriver() = default;

    virtual Button* CreateButton() = 0;
    virtual CheckBox* CreateCheckBox() = 0;
    virtual TextLabel* CreateTextLabel() = 0;
    // `secure` shows a dot for each character and lets nobody copy the text.
    virtual TextField* CreateTextField(bool secure) = 0;
    virtual PopUpButton* CreatePopUpButton() = 0;
    virtual ImageView* CreateImageView() = 0;
    virtual DatePicker* CreateDatePicker() = 0;
    virtual View* CreateContainerView() = 0;
    virtual ScrollView* CreateScrollView() = 0;
    virtual Menu* CreatePlatformMenu() = 0;

    // Takes the keyboard focus from whatever view of the window has it.
    virtual void ClearKeyboardFocus(Window& window) = 0;
    // The colour (as View.h's Color) the desktop draws disabled text in.
    virtual uint32_t DisabledTextColor() const = 0;
};

} // namespace nevalon::platform
