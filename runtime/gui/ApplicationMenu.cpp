#include "runtime/gui/ApplicationMenu.h"

#include "runtime/gui/EventQueue.h"

namespace nevalon::gui {

void KxMenuDelegate::Preferences() const
{
    PostEvent(EventMenu, MenuItemPreferences, windowID_, 0);
}

void KxMenuDelegate::About() const
{
    PostEvent(EventMenu, MenuItemAbout, windowID_, 0);
}

void KxMenuDelegate::Terminate() const
{
    PostEvent(EventMenu, MenuItemQuit, windowID_, 0);
}

KxMenuDelegate& MenuDelegate()
{
    static KxMenuDelegate delegate;
    return delegate;
}

void PostQuitRequest()
{
    PostEvent(EventMenu, MenuItemQuit, -1, 0);
}

} // namespace nevalon::gui
