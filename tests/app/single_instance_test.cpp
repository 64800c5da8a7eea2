#include "StoreFixture.h"
#include "app/Lifecycle.h"
#include "app/SingleInstance.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

namespace nevalon::app::testing {
namespace {

// Dispatches what the queue holds now.
void DispatchQueued()
{
    for (int64_t code; (code = gui::WaitEvent(0)) > 0;)
        DispatchEvent(code);
}

TEST_F(StoreTest, LaterStartsOpenTheListWindowAndNeverCloseIt)
{
    for (int starts : {1, 2, 3}) {
        for (int i = 0; i < starts; ++i) {
            LaterStartActivated();
            // Another event between them, so that the queue cannot fold two clicks into one.
            gui::PostEvent(gui::EventTimer, 99, kHolderWindow, 0);
        }
        DispatchQueued();
        EXPECT_TRUE(gui::WindowExists(kListWindow)) << starts << " starts at once";
        LaterStartActivated();
        DispatchQueued();
        EXPECT_TRUE(gui::WindowExists(kListWindow)) << "a start while the window is open";
        CloseListWindow();
    }
}

} // namespace
} // namespace nevalon::app::testing
