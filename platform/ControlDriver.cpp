#include "platform/ControlDriver.h"

#include "platform/Backend.h"

namespace nevalon::platform {
namespace {

ControlDriver& Driver()
{
    return LinkedBackend().controls;
}

} // namespace

Button* CreateButton()
{
    return Driver().CreateButton();
}

CheckBox* CreateCheckBox()
{
    return Driver().CreateCheckBox();
}

TextLabel* CreateTextLabel()
{
    return Driver().CreateTextLabel();
}

TextField* CreateTextField(bool secure)
{
    return Driver().CreateTextField(secure);
}

PopUpButton* CreatePopUpButton()
{
    return Driver().CreatePopUpButton();
}

ImageView* CreateImageView()
{
    return Driver().CreateImageView();
}

DatePicker* CreateDatePicker()
{
    return Driver().CreateDatePicker();
}

View* CreateContainerView()
{
    return Driver().CreateContainerView();
}

ScrollView* CreateScrollView()
{
    return Driver().CreateScrollView();
}

Menu* CreatePlatformMenu()
{
    return Driver().CreatePlatformMenu();
}

void ClearKeyboardFocus(Window& window)
{
    Driver().ClearKeyboardFocus(window);
}

uint32_t DisabledTextColor()
{
    return Driver().DisabledTextColor();
}

} // namespace nevalon::platform
