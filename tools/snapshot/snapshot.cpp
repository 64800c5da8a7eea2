// Renders the list window of an events file to a PNG picture, offscreen and without touching the file:
//   nevalon_snapshot EVENTS-FILE light|dark UNIX-SECONDS OUTPUT.png
#include "app/AppState.h"
#include "app/ToolkitNumbers.h"
#include "app/EventStore.h"
#include "app/ListWindow.h"
#include "platform/Object.h"
#include "platform/Window.h"
#include "platform/testing/TestSeams.h"
#include "runtime/date/testing/Clock.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/Window.h"
#include "runtime/system/strings/Strings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace nevalon;

int main(int argc, char** argv)
{
    if (argc != 5 || (std::string(argv[2]) != "light" && std::string(argv[2]) != "dark")) {
        std::fprintf(stderr, "usage: %s EVENTS-FILE light|dark UNIX-SECONDS OUTPUT.png\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A build may roll events over and save: it works on a copy.
    const std::filesystem::path copy = std::filesystem::temp_directory_path() / "nevalon-snapshot.dat";
    std::error_code error;
    std::filesystem::copy_file(argv[1], copy, std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    std::string problem;
    if (!gui::InitToolkit(argc, argv, problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    const long long seconds = std::atoll(argv[3]);
    date::SetClockForTests(
        [seconds] { return std::chrono::system_clock::time_point(std::chrono::seconds(seconds)); });
    platform::SetAppearance(std::string(argv[2]) == "dark");
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 800}});
    platform::SetPointerForTests(platform::Point{640, 10});
    platform::SetAlertResponderForTests([](const platform::AlertRequest&) { return 0; });
    app::AppState& state = app::State();
    for (size_t i = 0; i < state.Categories.size(); ++i)
        state.Categories[i] = app::kCategoryNames[i];
    state.EventsFilePath = system::StringFromUtf8(copy.string());
    state.ListWindowX = 640 - app::kListWindowWidth / 2;
    app::ReadEventsFile();
    app::BuildListWindow();
    auto* window =
        dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(app::kListWindow)));
    const bool saved = window && platform::SaveWindowPictureForTests(*window, argv[4]);
    std::filesystem::remove(copy, error);
    if (!saved) std::fprintf(stderr, "cannot write %s\n", argv[4]);
    gui::EndToolkit();
    return saved ? 0 : 1;
}
