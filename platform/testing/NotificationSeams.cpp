#include "platform/Overrides.h"
#include "platform/testing/TestSeams.h"

namespace nevalon::platform {

void SetNotificationServerForTests(
    std::function<void(const NotificationRequest&, NotificationHandler)> server)
{
    Overrides().notificationServer = std::move(server);
}

} // namespace nevalon::platform
