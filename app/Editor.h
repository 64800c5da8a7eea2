#pragma once

namespace nevalon::app {

// The trash button of a row: asks before deleting its event, then saves and builds the list again.
void DeleteEventHandler();

} // namespace nevalon::app
