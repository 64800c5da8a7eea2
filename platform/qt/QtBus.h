#pragma once

#include <QString>

namespace nevalon::platform {

// The session bus's address, or empty. No automatic launch of a bus: that could hold up the start.
QString SessionBusAddress();

} // namespace nevalon::platform
