#pragma once

namespace nevalon::platform {

// Ends the sound thread and destroys its sound context (EndApplication); a later sound starts them anew.
void EndSystemSounds();

} // namespace nevalon::platform
