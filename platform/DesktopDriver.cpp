#include "platform/DesktopDriver.h"

#include "platform/ApplicationService.h"
#include "platform/Backend.h"
#include "platform/ClockChanges.h"
#include "platform/Defaults.h"
#include "platform/DesktopNotice.h"
#include "platform/Image.h"
#include "platform/Overrides.h"
#include "platform/Sound.h"

// What a test put in place of the desktop (Overrides.h) answers before any backend is asked, so that the
// test seams serve every backend alike.
namespace nevalon::platform {
namespace {

DesktopDriver& Driver()
{
    return LinkedBackend().desktop;
}

} // namespace

int RunAlert(const AlertRequest& request)
{
    if (Overrides().alertResponder) return Overrides().alertResponder(request);
    return Driver().RunAlert(request);
}

std::vector<std::string> PreferredLanguages()
{
    if (Overrides().preferredLanguages) return *Overrides().preferredLanguages;
    return Driver().PreferredLanguages();
}

void ShowDesktopNotice(const std::u16string& summary, const std::u16string& body)
{
    Driver().ShowDesktopNotice(summary, body);
}

void SetDesktopNoticeSender(const std::u16string& name, const std::u16string& iconName)
{
    Driver().SetDesktopNoticeSender(name, iconName);
}

void SendNotification(const NotificationRequest& request, int64_t answerMs, NotificationHandler handler)
{
    if (!handler) handler = [](NotificationEnd, const std::u16string&) {};
    if (Overrides().notificationServer) return Overrides().notificationServer(request, std::move(handler));
    Driver().SendNotification(request, answerMs, std::move(handler));
}

void PlaySystemSound(int64_t sound)
{
    if (Overrides().systemSoundPlayer) return Overrides().systemSoundPlayer(sound);
    Driver().PlaySystemSound(sound);
}

void SetDefaultsFileName(const std::u16string& name)
{
    Driver().SetDefaultsFileName(name);
}

int64_t DefaultsInteger(const std::u16string& key)
{
    return Driver().DefaultsInteger(key);
}

void SetDefaultsInteger(const std::u16string& key, int64_t value)
{
    Driver().SetDefaultsInteger(key, value);
}

std::optional<std::u16string> DefaultsString(const std::u16string& key)
{
    return Driver().DefaultsString(key);
}

bool SynchronizeDefaults()
{
    return Driver().SynchronizeDefaults();
}

std::string DefaultsFilePath()
{
    return Driver().DefaultsFilePath();
}

bool ActivateRunningApplication(const std::string& busName, const std::string& objectPath, int waitMs)
{
    return Driver().ActivateRunningApplication(busName, objectPath, waitMs);
}

bool ExportApplicationService(const std::string& busName, const std::string& objectPath,
                              std::function<void()> activate)
{
    return Driver().ExportApplicationService(busName, objectPath, std::move(activate));
}

void SetClockChangeHandler(std::function<void()> changed)
{
    Driver().SetClockChangeHandler(std::move(changed));
}

Image* CreateSystemSymbolImage(std::string_view name)
{
    return Driver().CreateSystemSymbolImage(name);
}

Image* CreateNamedImage(std::string_view name)
{
    return Driver().CreateNamedImage(name);
}

} // namespace nevalon::platform
