#include "runtime/gui/EventBindings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <forward_list>
#include <functional>
#include <vector>

namespace nevalon::gui {
namespace {

struct CallbackNode {
    EventCallback callback;
    int64_t typeFilter;
};

struct Binding {
    std::u16string key;
    int64_t window;
    std::forward_list<CallbackNode> callbacks;
};

constexpr size_t kBuckets = 1024;
std::array<std::forward_list<Binding>, kBuckets> buckets;

std::forward_list<Binding>& BucketOf(const std::u16string& key)
{
    return buckets[BindingHash(key) % kBuckets];
}

Binding* FindBinding(const std::u16string& key)
{
    for (Binding& b : BucketOf(key))
        if (b.key == key) return &b;
    return nullptr;
}

bool Matches(const CallbackNode& node, int64_t type)
{
    return node.typeFilter == type || node.typeFilter == -1;
}

// Runs the key's callbacks that match `type` and none of the types the key was already run with.
void RunKey(int32_t code, int64_t window, int64_t object, int64_t type, const std::vector<int64_t>& earlier)
{
    Binding* binding = FindBinding(BindingKey(code, window, object));
    if (!binding) return;
    // Collected first: a callback may add or remove bindings.
    std::vector<EventCallback> matching;
    for (const CallbackNode& node : binding->callbacks)
        if (Matches(node, type) &&
            std::none_of(earlier.begin(), earlier.end(), [&](int64_t t) { return Matches(node, t); }))
            matching.push_back(node.callback);
    for (EventCallback callback : matching)
        callback();
}

} // namespace

uint32_t BindingHash(const std::u16string& key)
{
    uint32_t h = 0;
    for (char16_t unit : key)
        h = h * 65599u + unit;
    return h;
}

std::u16string BindingKey(int32_t event, int64_t window, int64_t object)
{
    char text[64];
    int n = std::snprintf(text, sizeof text, "%d:%lld:%lld", event, static_cast<long long>(window),
                          static_cast<long long>(object));
    return std::u16string(text, text + n);
}

void AddTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                           int64_t type)
{
    if (!callback) return;
    std::u16string key = BindingKey(static_cast<int32_t>(event), window, object);
    Binding* binding = FindBinding(key);
    if (!binding) {
        BucketOf(key).push_front(Binding{key, window, {}});
        binding = &BucketOf(key).front();
    }
    binding->callbacks.push_front(CallbackNode{callback, type});
}

// Removes the first node of the key that `matches`, and the key with its last node.
void RemoveFirst(const std::u16string& key, const std::function<bool(const CallbackNode&)>& matches)
{
    Binding* binding = FindBinding(key);
    if (!binding) return;
    auto before = binding->callbacks.before_begin();
    for (auto it = binding->callbacks.begin(); it != binding->callbacks.end(); before = it++) {
        if (matches(*it)) {
            binding->callbacks.erase_after(before);
            break;
        }
    }
    if (binding->callbacks.empty()) BucketOf(key).remove_if([&](const Binding& b) { return b.key == key; });
}

void RemoveTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                              int64_t type)
{
    RemoveFirst(BindingKey(static_cast<int32_t>(event), window, object), [&](const CallbackNode& node) {
        return node.callback == callback && node.typeFilter == type;
    });
}

void RemoveFirstEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                              int64_t type)
{
    RemoveFirst(BindingKey(static_cast<int32_t>(event), window, object), [&](const CallbackNode& node) {
        return node.callback == callback && (type == -1 || node.typeFilter == type);
    });
}

bool HasTypedEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object,
                           int64_t type)
{
    Binding* binding = FindBinding(BindingKey(static_cast<int32_t>(event), window, object));
    return binding &&
           std::any_of(binding->callbacks.begin(), binding->callbacks.end(),
                       [&](const CallbackNode& n) { return n.callback == callback && n.typeFilter == type; });
}

void RemoveEventCallbacks(int64_t event, int64_t window, int64_t object)
{
    std::u16string key = BindingKey(static_cast<int32_t>(event), window, object);
    BucketOf(key).remove_if([&](const Binding& b) { return b.key == key; });
}

void AddEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object)
{
    AddTypedEventCallback(event, callback, window, object, -1);
}

void RemoveEventCallback(int64_t event, EventCallback callback, int64_t window, int64_t object)
{
    RemoveTypedEventCallback(event, callback, window, object, -1);
}

void RunEventCallbacks(int32_t code, int64_t window, int64_t object, int64_t type)
{
    struct Visit {
        int64_t window, object, type;
    };
    const Visit visits[] = {{window, object, type}, {window, -1, -1}, {-1, -1, -1}, {-1, object, type}};
    // With "any" already in the event itself keys coincide: a callback runs once, and only a type
    // that an earlier visit of its key did not cover can add callbacks there.
    for (size_t i = 0; i < std::size(visits); ++i) {
        std::vector<int64_t> earlier;
        for (size_t j = 0; j < i; ++j)
            if (visits[j].window == visits[i].window && visits[j].object == visits[i].object)
                earlier.push_back(visits[j].type);
        RunKey(code, visits[i].window, visits[i].object, visits[i].type, earlier);
    }
}

void RemoveWindowCallbacks(int64_t window)
{
    for (auto& bucket : buckets)
        bucket.remove_if([&](const Binding& b) { return b.window == window; });
}

void RemoveAllEventCallbacks()
{
    for (auto& bucket : buckets)
        bucket.clear();
}

} // namespace nevalon::gui
