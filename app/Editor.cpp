#include "app/Editor.h"

#include "app/AppState.h"
#include "app/EventStore.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/MessageBox.h"

namespace nevalon::app {

void DeleteEventHandler()
{
    EventList& events = State().Events;
    const int64_t trash = gui::EventGadgetNumber();
    events.RewindList();
    while (const EventRecord* record = events.MoveNext()) {
        if (record->trashGadget != trash) continue;
        if (gui::ShowMessageBox(u"Confirm Deletion",
                                u"Are you sure you want to delete '" + record->title + u"'?\n\r",
                                gui::MessageBoxYesNo) == gui::MessageBoxYes)
            events.RemoveElement();
        break;
    }
    SaveEvents();
    LoadEvents();
}

} // namespace nevalon::app
