#pragma once

#include "app/AppState.h"
#include "app/EventStore.h"
#include "app/ToolkitNumbers.h"
#include "platform/Application.h"
#include "platform/testing/TestSeams.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/date/testing/Clock.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/system/TempDirectory.h"
#include "runtime/system/strings/Strings.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace nevalon::app::testing {

// Starts the toolkit (and with it the platform application) once for the whole test program.
inline bool StartPlatformOnce()
{
    static bool started = [] {
        static int argc = 1;
        static char name[] = "nevalon";
        static char* argv[] = {name, nullptr};
        std::string error;
        return gui::InitToolkit(argc, argv, error);
    }();
    return started;
}

// A data file of its own in a fresh folder, the clock stopped at a fixed instant, and every notice
// and sound noted instead of shown.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartPlatformOnce());
        for (size_t i = 0; i < kCategoryNames.size(); ++i)
            State().Categories[i] = kCategoryNames[i];
        State().EventsFilePath = system::StringFromUtf8(folder.Path("nevalon_events.dat"));
        State().EventsFile = {};
        State().Events.EmptyList();
        date::SetClockForTests(
            [] { return std::chrono::system_clock::time_point(std::chrono::seconds(kNow)); });
        now = date::CurrentDate();
        platform::SetAlertResponderForTests([this](const platform::AlertRequest& alert) {
            notices.push_back(alert.informativeText);
            fileAtNotice.push_back(FileText());
            return 0;
        });
        platform::SetSystemSoundPlayerForTests([this](int64_t sound) { sounds.push_back(sound); });
    }
    void TearDown() override
    {
        platform::SetAlertResponderForTests(nullptr);
        platform::SetSystemSoundPlayerForTests(nullptr);
        date::SetClockForTests(nullptr);
        State().Events.EmptyList();
        State().EventsFile = {};
    }

    EventRecord& Add(const String& title, int64_t inSeconds, int64_t recurrence = RecurNever,
                     int64_t category = 5)
    {
        State().Events.RewindList();
        while (State().Events.MoveNext()) {
        }
        EventRecord* record = State().Events.InsertElement();
        record->title = title;
        record->date = now + inSeconds;
        record->recurrence = recurrence;
        record->category = category;
        return *record;
    }
    std::vector<EventRecord> Records() const
    {
        std::vector<EventRecord> records;
        State().Events.RewindList();
        while (const EventRecord* record = State().Events.MoveNext())
            records.push_back(*record);
        return records;
    }
    std::string FileText() const { return FileBytes(folder.Path("nevalon_events.dat")); }
    void PutFile(const std::string& text) const { folder.Put("nevalon_events.dat", text); }

    // 2026-06-15 12:00:00 UTC.
    static constexpr int64_t kNow = 1781524800;
    TempDirectory folder;
    date::Date now = 0;
    std::vector<String> notices;
    std::vector<std::string> fileAtNotice;
    std::vector<int64_t> sounds;
};

} // namespace nevalon::app::testing
