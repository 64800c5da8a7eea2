#include "app/ListWindow.h"

#include "app/AppState.h"
#include "app/Countdown.h"
#include "app/Editor.h"
#include "app/EventStore.h"
#include "app/Reminders.h"
#include "app/SettingsMenu.h"
#include "app/Shell.h"
#include "app/StoreNotices.h"
#include "app/ToolkitNumbers.h"
#include "platform/Geometry.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/ButtonGadgets.h"
#include "runtime/gui/Desktops.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Fonts.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/ImageGadget.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/ScrollAreaGadget.h"
#include "runtime/gui/TextGadgets.h"
#include "runtime/gui/Window.h"
#include "runtime/system/drawing/Drawing.h"
#include "runtime/system/drawing/Images.h"
#include "runtime/system/strings/Strings.h"

#include <cmath>

namespace nevalon::app {
namespace {

using gui::PlatformMessage;
using namespace system;

constexpr int64_t kMostEvents = 8;
constexpr int64_t kRowHeight = 90;
constexpr const char16_t* kSystemFont = u".AppleSystemUIFont";

// Made once and kept for the program's life.
int64_t titleFont = 0;
int64_t countdownFont = 0;

void OpenListFonts()
{
    if (!gui::FontExists(titleFont)) titleFont = gui::OpenFont(-1, kSystemFont, 24, gui::FontBold);
    if (!gui::FontExists(countdownFont)) countdownFont = gui::OpenFont(-1, kSystemFont, 18);
}

int64_t SystemSymbol(const char16_t* name)
{
    return PlatformMessage(nullptr, 0, "NSImage imageWithSystemSymbolName:$",
                           {name, "accessibilityDescription:", 0});
}

// The left edge of the window: where the click asked for it, kept inside the free part of the clicked screen
// (measured by its own edges: a screen's width is its right edge only for a screen at the left).
int64_t WindowLeftEdge()
{
    const AppState& state = State();
    const int64_t x = state.ListWindowX;
    if (!state.ListWindowPlacement) return x;
    const ListWindowPlace& place = *state.ListWindowPlacement;
    return std::max(place.left, std::min(x, place.right - kListWindowWidth));
}

void OpenWindow(int64_t height)
{
    int64_t application = PlatformMessage(nullptr, 0, "NSApplication sharedApplication");
    int64_t menu = PlatformMessage(nullptr, application, "mainMenu");
    double menuBar = 0;
    PlatformMessage(&menuBar, menu, "menuBarHeight");
    const int64_t x = WindowLeftEdge(),
                  y = ListWindowTop(height, std::llround(menuBar), State().ListWindowPlacement);
    // Shown once it is built: a window that shows already asks the desktop again for every setting and draws
    // every row as it comes.
    int64_t window = gui::CreateWindow(kListWindow, x, y, kListWindowWidth, height, u"Nevalon",
                                       gui::WindowCentred | gui::WindowInvisible);
    PlatformMessage(nullptr, window, "setTitlebarAppearsTransparent:", {1});
    PlatformMessage(nullptr, window, "setMovable:", {0});
    gui::SetWindowFloating(kListWindow, 1);
    gui::SetWindowBounds(kListWindow, x, y, gui::KeepValue, gui::KeepValue);
    gui::AddKeyShortcut(kListWindow, kEscapeKey, kEscapeItem);
}

// The editor's Save stored an event: the rows are built again from the file.
void ReloadAfterEditorStored()
{
    CloseListWindow();
    LoadEvents();
}

// The first desktop holding the point; the main one when none does (possible mid-reconfiguration).
int64_t DesktopHolding(int64_t count, int64_t x, int64_t y)
{
    for (int64_t i = 0; i < count; ++i)
        if (DesktopContains(i, x, y)) return i;
    return 0;
}

void AddRow(EventRecord& record, const CountdownRow& row, int64_t top)
{
    record.titleGadget = gui::CreateLabel(-1, 10, top, 340, 28, record.title);
    gui::SetGadgetFont(record.titleGadget, gui::FontHandle(titleFont));
    gui::SetGadgetColor(record.titleGadget, gui::GadgetFrontColor, row.colour);
    record.countdownGadget = gui::CreateLabel(-1, 10, top + 30, 340, 22, row.text);
    gui::SetGadgetFont(record.countdownGadget, gui::FontHandle(countdownFont));
    gui::SetGadgetColor(record.countdownGadget, gui::GadgetFrontColor, row.colour);
    record.editGadget = gui::CreateButton(-1, 354, top + 10, 50, 40, u"Edit");
    gui::AddGadgetCallback(record.editGadget, EditEventHandler);

    const String& category =
        record.category >= 0 && record.category <= 6 ? State().Categories[record.category] : String(u"Other");
    if (int64_t badge = CategoryBadge(category)) {
        if (int64_t* kept = State().RowImages.InsertElement()) *kept = badge;
        if (gui::GadgetExists(record.imageGadget)) gui::FreeGadget(record.imageGadget);
        record.imageGadget = gui::CreateImageView(-1, 10, top + 56, 80, 24, ImageHandle(badge));
        gui::SetGadgetAccessibleName(record.imageGadget, category);
        const platform::Size shown{78, 22};
        PlatformMessage(nullptr, ImageHandle(badge), "setSize:@", {gui::BridgeBytes::Of(shown)});
    }
    record.trashGadget = gui::CreateImageButton(-1, 410, top + 10, 36, 40, SystemSymbol(u"trash"));
    gui::SetGadgetAccessibleName(record.trashGadget, u"Delete");
    gui::AddGadgetCallback(record.trashGadget, DeleteEventHandler);
    gui::GadgetToolTip(record.titleGadget, EventToolTip(record));
}

} // namespace

void LoadEvents()
{
    ReadEventsFile();
    SayWhenEventsFileUnreadable();
    BuildListWindow();
    UpdateStatusIconToolTip();
}

void CloseListWindow()
{
    CloseEditorWindow();
    AppState& state = State();
    state.Events.RewindList();
    while (EventRecord* record = state.Events.MoveNext()) {
        for (int64_t* gadget : {&record->titleGadget, &record->countdownGadget, &record->editGadget,
                                &record->trashGadget, &record->imageGadget}) {
            if (*gadget != -1 && gui::GadgetExists(*gadget)) gui::FreeGadget(*gadget);
            *gadget = -1;
        }
    }
    for (const int64_t image : state.RowImages)
        system::DisposeImage(image);
    state.RowImages.EmptyList();
    if (gui::MenuExists(kSettingsMenu)) gui::DestroyMenu(kSettingsMenu);
    gui::RemoveKeyShortcut(kListWindow, kEscapeKey);
    if (gui::WindowExists(kListWindow)) {
        state.ListWindowX = gui::WindowLeft(kListWindow);
        gui::DestroyWindow(kListWindow);
    }
}

void RefreshListWindow()
{
    CloseListWindow();
    BuildListWindow();
}

std::vector<CountdownRow> CountdownRows()
{
    GroupByCategory();
    const date::Date now = date::CurrentDate();
    RollOverPassedEvents(now);
    std::vector<CountdownRow> rows;
    for (const EventRecord& record : State().Events)
        rows.push_back(RowForEvent(record, now));
    return rows;
}

void AddEventHandler()
{
    if (!gui::WindowExists(kEditorWindow)) OpenEventEditor(1, ReloadAfterEditorStored);
}

void EditEventHandler()
{
    AppState& state = State();
    const int64_t edit = gui::EventGadgetNumber();
    state.Events.RewindList();
    EventRecord* record = nullptr;
    while ((record = state.Events.MoveNext()) && record->editGadget != edit) {
    }
    if (!record) return;
    state.EditedRecord = record;
    state.EditingExisting = 1;
    if (!gui::WindowExists(kEditorWindow))
        OpenEventEditor(0, ReloadAfterEditorStored);
    else
        ShowInEditor(*record);
}

void DeleteEventHandler()
{
    AppState& state = State();
    EventList& events = state.Events;
    const int64_t trash = gui::EventGadgetNumber();
    int64_t index = 0;
    for (const EventRecord& row : events) {
        if (row.trashGadget == trash) break;
        ++index;
    }
    const EventRecord* record = events.SelectElement(index);
    if (!record) return;
    // No changes nothing: an open editor keeps its input.
    if (gui::ShowMessageBox(u"Confirm Deletion",
                            u"Are you sure you want to delete '" + record->title + u"'?\n\r",
                            gui::MessageBoxYesNo) != gui::MessageBoxYes)
        return;
    // The reload below replaces every record, the edited one included.
    if (state.EditingExisting) CloseEditorWindow();
    if (events.SelectElement(index)) events.RemoveElement();
    SaveEventsAndSay(SaveCause::Person);
    LoadEvents();
}

bool DesktopContains(int64_t desktop, int64_t x, int64_t y)
{
    return gui::ScreenLeft(desktop) <= x && x <= gui::ScreenLeft(desktop) + gui::ScreenWidth(desktop) &&
           gui::ScreenTop(desktop) <= y && y <= gui::ScreenTop(desktop) + gui::ScreenHeight(desktop);
}

int64_t DesktopUnderMouse()
{
    int64_t n = gui::CountScreens();
    if (n == 0) return -1;
    if (n < 0) return 0;
    int64_t x = gui::MouseScreenX(), y = gui::MouseScreenY();
    for (int64_t i = n - 1; i >= 0; --i) {
        if (DesktopContains(i, x, y)) return i;
    }
    return 0;
}

int64_t ListWindowXAt(int64_t x, int64_t y)
{
    int64_t desktop = DesktopHolding(gui::CountScreens(), x, y);
    int64_t left = gui::ScreenLeft(desktop), width = gui::ScreenWidth(desktop);
    int64_t windowX = x - kListWindowWidth / 2;
    if (windowX < left)
        windowX = left;
    else if (windowX + kListWindowWidth > left + width)
        windowX = left + width - kListWindowWidth;
    return windowX;
}

int64_t ListWindowXUnderMouse()
{
    return ListWindowXAt(gui::MouseScreenX(), gui::MouseScreenY());
}

std::optional<ListWindowPlace> ListWindowPlaceAt(int64_t x, int64_t y)
{
    const int64_t count = gui::CountScreens();
    if (count <= 0) return std::nullopt;
    const int64_t desktop = DesktopHolding(count, x, y);
    const int64_t left = gui::ScreenWorkLeft(desktop), top = gui::ScreenWorkTop(desktop);
    return ListWindowPlace{left, top, left + gui::ScreenWorkWidth(desktop),
                           top + gui::ScreenWorkHeight(desktop),
                           y > gui::ScreenTop(desktop) + gui::ScreenHeight(desktop) / 2};
}

std::optional<ListWindowPlace> ListWindowPlaceUnderMouse()
{
    return ListWindowPlaceAt(gui::MouseScreenX(), gui::MouseScreenY());
}

int64_t ListWindowTop(int64_t height, int64_t menuBar, const std::optional<ListWindowPlace>& place)
{
    if (!place) return menuBar;
    return place->fromBottom ? std::max(place->top, place->bottom - height) : place->top;
}

int64_t ListWindowShownHeight(int64_t height, const std::optional<ListWindowPlace>& place)
{
    const int64_t free = place ? place->bottom - place->top : 0;
    return free > 0 ? std::min(height, free) : height;
}

int64_t ListWindowHeight(int64_t events)
{
    const int64_t rows = std::max<int64_t>(80 * events, 50);
    return rows < 521 ? rows + 180 : 780;
}

String TwelveHourText(date::Date when)
{
    const int64_t hour = date::DateHour(when);
    const String minutes = PadLeft(IntegerToString(date::DateMinute(when)), 2, u"0");
    const int64_t shown = hour % 12 == 0 ? 12 : hour % 12;
    return IntegerToString(shown) + u":" + minutes + (hour < 12 ? u" AM" : u" PM");
}

String RecurrenceName(int64_t code)
{
    static const char16_t* const names[] = {u"None",
                                            u"Repeats daily",
                                            u"Repeats weekly",
                                            u"Repeats biweekly",
                                            u"Repeats monthly",
                                            u"Repeats quarterly",
                                            u"Repeats yearly"};
    return code >= 0 && code <= 6 ? names[code] : u"Unknown recurrence";
}

String EventToolTip(const EventRecord& record)
{
    return u"Event Date: " + date::DateToText(u"%yyyy-%mm-%dd", record.date) + u" at " +
           TwelveHourText(record.date) + u"\nRecurrence: " + RecurrenceName(record.recurrence);
}

int64_t BadgeColour(const String& categoryName)
{
    const String name = LowerCase(categoryName);
    if (name == u"vacation") return MakeRgba(50, 150, 250, 220);
    if (name == u"anniversary") return MakeRgba(250, 100, 100, 220);
    if (name == u"birthday") return MakeRgba(100, 200, 100, 220);
    if (name == u"graduation") return MakeRgba(255, 137, 0, 220);
    if (name == u"meeting") return MakeRgba(215, 131, 255, 200);
    if (name == u"holiday") return MakeRgba(239, 37, 66, 200);
    return MakeRgba(172, 172, 172, 200);
}

int64_t CategoryBadge(const String& categoryName)
{
    const int64_t image = NewImage(-1, 80, 24, 32, -1);
    if (!image) return 0;
    if (!BeginDrawing(ImageCanvas(image))) {
        DisposeImage(image);
        return 0;
    }
    SetDrawingMode(DrawingAlphaBlend);
    FillBox(0, 0, 80, 24, MakeRgba(0, 0, 0, 0));
    FillRoundBox(0, 0, 80, 24, 4, 4, BadgeColour(categoryName));
    const int64_t font = gui::OpenFont(-1, kSystemFont, 12);
    SetDrawingFont(gui::FontHandle(font));
    SetDrawingMode(DrawingTransparentText);
    PaintText((80 - MeasureTextWidth(categoryName)) / 2, (24 - MeasureTextHeight(categoryName)) / 2,
              categoryName, MakeRgba(255, 255, 255, 255));
    EndDrawing();
    gui::DisposeFont(font);
    return image;
}

void PrepareListWindow()
{
    OpenListFonts();
    // Every badge once: the platform keeps the texts it drew, and a click then draws them from there.
    for (const String& category : State().Categories)
        if (const int64_t badge = CategoryBadge(category)) DisposeImage(badge);
}

void BuildListWindow()
{
    AppState& state = State();
    if (state.EditingExisting) return;
    // Notices and roll-overs come first, so that the window opens on the rows as they now stand.
    const std::vector<CountdownRow> rows = CountdownRows();
    const int64_t count = state.Events.CountElements();
    const int64_t height = ListWindowShownHeight(ListWindowHeight(count), state.ListWindowPlacement);
    OpenWindow(height);

    OpenListFonts();
    if (!gui::GadgetExists(kAddButton)) {
        gui::CreateButton(kAddButton, 10, height - 50, 180, 40, u"Add Countdown Event");
        gui::AddGadgetCallback(kAddButton, AddEventHandler);
    }
    gui::DisableGadget(kAddButton, count >= kMostEvents);
    if (!gui::GadgetExists(kSettingsGadget)) {
        gui::CreateImageButton(kSettingsGadget, 410, height - 50, 40, 40, SystemSymbol(u"gearshape.fill"));
        gui::SetGadgetAccessibleName(kSettingsGadget, u"Settings");
        gui::AddGadgetCallback(kSettingsGadget, [] { ShowSettingsMenu(); });
    }
    if (count == 0 && !gui::GadgetExists(kEmptyText))
        gui::CreateLabel(kEmptyText, 10, gui::WindowInnerHeight(kListWindow) / 2 - 40, 430, 25,
                         u"No events exist. Click 'Add Countdown Event' to create one.", gui::LabelCentred);
    // Rows that do not fit the screen scroll above the buttons, which stay in sight.
    const bool scrolled = height < ListWindowHeight(count);
    if (scrolled)
        gui::CreateScrollArea(kRowsArea, 0, 0, kListWindowWidth, height - 60, kListWindowWidth,
                              kRowHeight * count + 10);
    for (int64_t i = 0; i < count; ++i)
        AddRow(*state.Events.SelectElement(i), rows[static_cast<size_t>(i)], 10 + kRowHeight * i);
    if (scrolled) gui::CloseGadgetList();
    gui::ShowWindow(kListWindow);
    BringApplicationToFront();
    gui::ActivateWindow(kListWindow);
}

} // namespace nevalon::app
