#include "runtime/gui/ApplicationMenu.h"

#include "runtime/gui/EventQueue.h"

namespace nevalon::gui {

void PostQuitRequest()
{
    PostEvent(EventMenu, MenuItemQuit, -1, 0);
}

} // namespace nevalon::gui
