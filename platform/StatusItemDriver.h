#pragma once

#include <cstdint>
#include <functional>

namespace nevalon::platform {

class StatusItem;

// The icon in the desktop's tray: the backend's share of StatusItem.h, whose free functions forward here.
class StatusItemDriver {
public:
    virtual ~StatusItemDriver() = default;

    // A new tray icon without picture, one reference owned by the caller; null without a running application.
    virtual StatusItem* CreateStatusItem() = 0;
    // Calls `missing` once if no tray host runs `graceMs` from now. A backend whose tray is always there
    // never calls it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink a backend that acts keeps
    virtual void CheckTrayHostAfter(int64_t /*graceMs*/, std::function<void()> /*missing*/) {}
};

} // namespace nevalon::platform
