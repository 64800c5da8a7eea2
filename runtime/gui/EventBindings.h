#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// A bound callback takes no arguments and reads the current event through the getters.
using EventCallback = void (*)();

// Binds `callback` to (event, window, object); -1 stands for any window or any object.
// Newer bindings of one key run first.
void AddEventCallback(int64_t event, EventCallback callback, int64_t window = -1, int64_t object = -1);

// Removes the binding made with the same arguments.
void RemoveEventCallback(int64_t event, EventCallback callback, int64_t window = -1, int64_t object = -1);

// Binds a callback with a type filter (-1: every type).
void AddTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                           int64_t type);
void RemoveTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                              int64_t type);

// Whether (event, window, object) holds `callback` with exactly this type filter.
bool HasTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                           int64_t type);

// Removes the first binding of `callback` to (event, window, object) whose filter is `type`; type -1 removes
// the first whatever its filter.
void RemoveFirstEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                              int64_t type);

// Deletes every binding of (event, window, object).
void RemoveEventCallbacks(int64_t event, int64_t window, int64_t object);

// Runs the callbacks of the four keys (code, window, object) with the type, (code, window, any) and
// (code, any, any) with any type, (code, any, object) with the type, in that order; where keys
// coincide, a callback still runs at most once.
void RunEventCallbacks(int32_t code, int64_t window, int64_t object, int64_t type);

// Deletes every binding made for this window.
void RemoveWindowCallbacks(int64_t window);

// Deletes every binding.
void RemoveAllEventCallbacks();

// The hash behind the binding map: h = h * 65599 + unit over the key's UTF-16 units, 32 bits.
uint32_t BindingHash(const std::u16string& key);

// The binding key of (event, window, object): "%d:%lld:%lld".
std::u16string BindingKey(int32_t event, int64_t window, int64_t object);

} // namespace nevalon::gui
