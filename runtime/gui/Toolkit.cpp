#include "runtime/gui/Toolkit.h"

#include "platform/Application.h"
#include "platform/Defaults.h"
#include "platform/DesktopNotice.h"
#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowRecord.h"
#include "runtime/gui/WindowTable.h"

#include <utility>

namespace nevalon::gui {
namespace {

// Key presses in a toolkit window go to its shortcuts first; the first match becomes a menu event.
bool OfferKeyToShortcuts(platform::Window& window, const platform::KeyEvent& key)
{
    int64_t number = WindowNumberOf(window);
    WindowRecord* record = FindWindowRecord(number);
    if (!record) return false;
    for (const KxShortcut& shortcut : record->shortcuts) {
        if (shortcut.IsEventMatch(key)) {
            PostEvent(EventMenu, shortcut.eventMenuID, number, 0);
            return true;
        }
    }
    return false;
}

ProductIdentity& Identity()
{
    static ProductIdentity identity;
    return identity;
}

} // namespace

void SetProductIdentity(ProductIdentity identity)
{
    platform::SetDefaultsFileName(identity.identifier.empty() ? u"" : identity.identifier + u".conf");
    platform::SetDesktopNoticeSender(identity.name, identity.iconName);
    Identity() = std::move(identity);
}

const ProductIdentity& Product()
{
    return Identity();
}

bool InitToolkit(int argc, char** argv, std::string& error)
{
    if (!platform::StartApplication(argc, argv, error)) return false;
    // The platform never ends the program on its own: a quit request becomes the
    // application menu's Quit item, and the main loop decides.
    platform::SetQuitRequestHandler(PostQuitRequest);
    platform::SetKeyDownHandler(OfferKeyToShortcuts);
    platform::SetActivationPolicy(0);
    return true;
}

void EndToolkit()
{
    RemoveStatusIcon(-1);
    DestroyMenu(-1);
    DestroyWindow(-1);
    FreeGadget(-1);
    SetGadgetFont(-1, -1);
    FreeRetiredDelegates();
    FreeRetiredGadgets();
    RemoveAllEventCallbacks();
    ResetEventQueue();
    platform::SetQuitRequestHandler(nullptr);
    platform::SetKeyDownHandler(nullptr);
    platform::EndApplication();
}

} // namespace nevalon::gui
