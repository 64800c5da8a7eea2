#pragma once

#include "app/Countdown.h"

#include <vector>

namespace nevalon::app {

// Builds the list window's rows from Events (notices and roll-overs happen here).
void BuildListWindow();

// The rows of the last build, in the order of Events.
const std::vector<CountdownRow>& ListRows();

} // namespace nevalon::app
