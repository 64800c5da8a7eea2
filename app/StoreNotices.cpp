#include "app/StoreNotices.h"

#include "app/AppState.h"
#include "app/EventStore.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/system/strings/Strings.h"

#include <cstring>

namespace nevalon::app {

bool SaveEventsAndSay(SaveCause cause)
{
    EventsFileState& file = State().EventsFile;
    const bool failingBefore = file.unsaved;
    const bool saved = SaveEvents();
    if (!file.copy.empty()) {
        gui::ShowMessageBox(
            u"Message from Nevalon",
            u"The events file held lines that are not events. Before saving, Nevalon kept the "
            u"whole file as\n" +
                file.copy + u"\n");
        file.copy.clear();
    }
    // A file that cannot be read was said when it was read.
    if (!saved && (cause == SaveCause::Person || (!failingBefore && !file.unreadable)))
        gui::ShowMessageBox(u"Error!",
                            u"Nevalon could not save your events to " + State().EventsFilePath + u": " +
                                file.saveProblem +
                                u".\n\nYour changes stay in the list while Nevalon runs, and are saved as "
                                u"soon as saving works again.\n",
                            gui::MessageBoxStopIcon);
    return saved;
}

void SayWhenEventsFileUnreadable()
{
    EventsFileState& file = State().EventsFile;
    if (!file.unreadable || file.unreadableSaid) return;
    file.unreadableSaid = true;
    gui::ShowMessageBox(u"Error!",
                        u"Nevalon cannot read its events file " + State().EventsFilePath + u": " +
                            system::StringFromUtf8(std::strerror(file.unreadable)) +
                            u".\n\nThe file is left as it is, and no change is saved until Nevalon can read "
                            u"it.\n",
                        gui::MessageBoxStopIcon);
}

} // namespace nevalon::app
