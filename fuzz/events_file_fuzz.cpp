// The events file as the loader reads it: any bytes load without harm, and what loads saves and loads
// back to the same records.
#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "app/AppState.h"
#include "app/EventStore.h"
#include "runtime/system/strings/Strings.h"

#include <tuple>
#include <vector>

namespace {

using namespace nevalon;

auto Fields(const app::EventRecord& r)
{
    return std::make_tuple(r.title, r.date, r.fileFlag, r.recurrence, r.category, r.reachedShown,
                           r.dayReminderShown, r.tenMinuteReminderShown);
}

std::vector<decltype(Fields(app::EventRecord{}))> Records()
{
    std::vector<decltype(Fields(app::EventRecord{}))> records;
    app::State().Events.RewindList();
    while (const app::EventRecord* record = app::State().Events.MoveNext())
        records.push_back(Fields(*record));
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::string path = fuzz::PutScratchFile("nevalon_events.dat", input.Rest());
    app::State().EventsFilePath = system::StringFromUtf8(path);
    app::State().Events.EmptyList();
    app::State().EventsFile = {};
    fuzz::Require(app::ReadEventsFile() == (size > 0));
    auto loaded = Records();
    // A title that starts the file with U+FEFF reads as a byte-order mark the next time.
    if (!loaded.empty() && std::get<0>(loaded[0]).starts_with(u'\uFEFF')) return 0;
    // The copy kept of a file that held lines that are no events is no part of the round trip.
    app::State().EventsFile.foreignLines = false;
    fuzz::Require(app::SaveEvents());
    app::State().Events.EmptyList();
    fuzz::Require(app::ReadEventsFile() == !loaded.empty());
    fuzz::Require(Records() == loaded);
    return 0;
}
