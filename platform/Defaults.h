#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nevalon::platform {

// The user-defaults store of the application (one file per user).

// Names the store's file in the user's configuration folder (until then: the program file's name and
// ".conf"); the store reads it from its next use on, pending changes having gone to the old one.
void SetDefaultsFileName(const std::u16string& name);

int64_t DefaultsInteger(const std::u16string& key);
void SetDefaultsInteger(const std::u16string& key, int64_t value);
// A stored text, or nullopt when the key holds none.
std::optional<std::u16string> DefaultsString(const std::u16string& key);
// Writes pending changes to disk; false when that failed.
bool SynchronizeDefaults();
// The file behind the store.
std::string DefaultsFilePath();

} // namespace nevalon::platform
