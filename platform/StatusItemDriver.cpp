#include "platform/StatusItemDriver.h"

#include "platform/Backend.h"
#include "platform/StatusItem.h"

namespace nevalon::platform {

StatusItem* CreateStatusItem()
{
    return LinkedBackend().statusItems.CreateStatusItem();
}

void CheckTrayHostAfter(int64_t graceMs, std::function<void()> missing)
{
    LinkedBackend().statusItems.CheckTrayHostAfter(graceMs, std::move(missing));
}

} // namespace nevalon::platform
