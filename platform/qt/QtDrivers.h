#pragma once

#include "platform/ApplicationDriver.h"
#include "platform/ControlDriver.h"
#include "platform/DesktopDriver.h"
#include "platform/ScreenDriver.h"
#include "platform/StatusItemDriver.h"
#include "platform/TextDriver.h"
#include "platform/WindowDriver.h"

namespace nevalon::platform {

// The Qt backend's drivers; each one's methods are defined beside the Qt code of their area
// (QtApplication.cpp, QtWindow.cpp, ...). They keep no state of their own: what an area keeps lives in its
// file.

class QtApplicationDriver final : public ApplicationDriver {
public:
    bool StartApplication(int argc, char** argv, std::string& error) override;
    bool ApplicationStarted() const override;
    void EndApplication() override;
    void AfterStartUp(std::function<void()> work) override;
    bool StartUpFinished() const override;
    bool ProcessPlatformEvents(int64_t timeoutMs) override;
    void FreeDeferredObjects() override;
    void WakeUp() override;
    bool HasPendingPlatformEvents() const override;
    Timer* CreateRepeatingTimer(int64_t periodMs, std::function<void()> fire) override;
    void SetQuitRequestHandler(std::function<void()> handler) override;
    void SetKeyDownHandler(std::function<bool(Window&, const KeyEvent&)> handler) override;
    void SetAppearanceChangeHandler(std::function<void()> handler) override;
    bool IsDarkAppearance() const override;
    void SetAppearance(bool dark) override;
    void ActivateApplication() override;
    void BringProcessToFront() override;
    void SetActivationPolicy(int64_t policy) override;
    int64_t ActivationPolicy() const override;
    OsVersion OperatingSystemVersion() const override;
    void SetApplicationIcon(const Image* icon) override;
};

class QtWindowDriver final : public WindowDriver {
public:
    Window* CreatePlatformWindow(const WindowStyle& style, Size contentSize) override;
    Window* KeyWindow() const override;
};

class QtControlDriver final : public ControlDriver {
public:
    Button* CreateButton() override;
    CheckBox* CreateCheckBox() override;
    TextLabel* CreateTextLabel() override;
    TextField* CreateTextField(bool secure) override;
    PopUpButton* CreatePopUpButton() override;
    ImageView* CreateImageView() override;
    DatePicker* CreateDatePicker() override;
    View* CreateContainerView() override;
    ScrollView* CreateScrollView() override;
    Menu* CreatePlatformMenu() override;
    void ClearKeyboardFocus(Window& window) override;
    uint32_t DisabledTextColor() const override;
};

class QtScreenDriver final : public ScreenDriver {
public:
    std::vector<Rect> Screens() const override;
    std::vector<Rect> WorkAreas() const override;
    Point PointerPosition() const override;
    double MenuBarHeight() const override;
};

class QtStatusItemDriver final : public StatusItemDriver {
public:
    StatusItem* CreateStatusItem() override;
    void CheckTrayHostAfter(int64_t graceMs, std::function<void()> missing) override;
};

class QtDesktopDriver final : public DesktopDriver {
public:
    int RunAlert(const AlertRequest& request) override;
    std::vector<std::string> PreferredLanguages() const override;
    void ShowDesktopNotice(const std::u16string& summary, const std::u16string& body) override;
    void SetDesktopNoticeSender(const std::u16string& name, const std::u16string& iconName) override;
    void SendNotification(const NotificationRequest& request, int64_t answerMs,
                          NotificationHandler handler) override;
    void PlaySystemSound(int64_t sound) override;
    void SetDefaultsFileName(const std::u16string& name) override;
    int64_t DefaultsInteger(const std::u16string& key) const override;
    void SetDefaultsInteger(const std::u16string& key, int64_t value) override;
    std::optional<std::u16string> DefaultsString(const std::u16string& key) const override;
    bool SynchronizeDefaults() override;
    std::string DefaultsFilePath() const override;
    bool ActivateRunningApplication(const std::string& busName, const std::string& objectPath,
                                    int waitMs) override;
    bool ExportApplicationService(const std::string& busName, const std::string& objectPath,
                                  std::function<void()> activate) override;
    void SetClockChangeHandler(std::function<void()> changed) override;
    Image* CreateSystemSymbolImage(std::string_view name) override;
    Image* CreateNamedImage(std::string_view name) override;
};

class QtTextDriver final : public TextDriver {
public:
    std::u16string Utf8ToUtf16(std::string_view utf8) const override;
    std::string Utf16ToUtf8(std::u16string_view text) const override;
    std::u16string UpperCaseText(const std::u16string& text) const override;
    std::u16string LowerCaseText(const std::u16string& text) const override;
    Font* CreateFont(const std::u16string& family, double pointSize, bool bold, bool italic) override;
    TextExtent MeasureText(const std::u16string& text, const Font* font) const override;
    std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width,
                                            int height, double left, double top) const override;
};

} // namespace nevalon::platform
