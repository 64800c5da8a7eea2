#include "platform/ApplicationDriver.h"

#include "platform/Backend.h"
#include "platform/Overrides.h"
#include "platform/Timer.h"

#include <unistd.h>

namespace nevalon::platform {
namespace {

ApplicationDriver& Driver()
{
    return LinkedBackend().application;
}

std::u16string applicationName;

} // namespace

bool StartApplication(int argc, char** argv, std::string& error)
{
    return Driver().StartApplication(argc, argv, error);
}

bool ApplicationStarted()
{
    return Driver().ApplicationStarted();
}

void EndApplication()
{
    Driver().EndApplication();
}

void AfterStartUp(std::function<void()> work)
{
    Driver().AfterStartUp(std::move(work));
}

bool StartUpFinished()
{
    return Driver().StartUpFinished();
}

bool ProcessPlatformEvents(int64_t timeoutMs)
{
    return Driver().ProcessPlatformEvents(timeoutMs);
}

void FreeDeferredObjects()
{
    Driver().FreeDeferredObjects();
}

void WakeUp()
{
    Driver().WakeUp();
}

bool HasPendingPlatformEvents()
{
    return Driver().HasPendingPlatformEvents();
}

Timer* CreateRepeatingTimer(int64_t periodMs, std::function<void()> fire)
{
    return Driver().CreateRepeatingTimer(periodMs, std::move(fire));
}

void SetQuitRequestHandler(std::function<void()> handler)
{
    Driver().SetQuitRequestHandler(std::move(handler));
}

void SetKeyDownHandler(std::function<bool(Window&, const KeyEvent&)> handler)
{
    Driver().SetKeyDownHandler(std::move(handler));
}

void SetAppearanceChangeHandler(std::function<void()> handler)
{
    Driver().SetAppearanceChangeHandler(std::move(handler));
}

bool IsDarkAppearance()
{
    return Driver().IsDarkAppearance();
}

void SetAppearance(bool dark)
{
    Driver().SetAppearance(dark);
}

void ActivateApplication()
{
    Driver().ActivateApplication();
}

void BringProcessToFront()
{
    Driver().BringProcessToFront();
}

void SetActivationPolicy(int64_t policy)
{
    Driver().SetActivationPolicy(policy);
}

int64_t ActivationPolicy()
{
    return Driver().ActivationPolicy();
}

OsVersion OperatingSystemVersion()
{
    if (Overrides().osVersion) return *Overrides().osVersion;
    return Driver().OperatingSystemVersion();
}

void SetApplicationIcon(const Image* icon)
{
    Driver().SetApplicationIcon(icon);
}

// The name and the executable's folder are the program's own, the same whichever backend runs it.
void SetApplicationName(std::u16string name)
{
    applicationName = std::move(name);
}

const std::u16string& ApplicationName()
{
    return applicationName;
}

std::string BundlePath()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string exe(path, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : exe.substr(0, slash);
}

} // namespace nevalon::platform
