#include "platform/Class.h"

#include <algorithm>
#include <map>
#include <memory>

namespace nevalon::platform {
namespace {

std::map<std::string, std::unique_ptr<Class>, std::less<>>& Classes()
{
    static std::map<std::string, std::unique_ptr<Class>, std::less<>> classes;
    return classes;
}

// Allocated but not yet registered classes.
std::map<std::string, std::unique_ptr<Class>, std::less<>>& PendingClasses()
{
    static std::map<std::string, std::unique_ptr<Class>, std::less<>> pending;
    return pending;
}

std::map<std::string, int64_t, std::less<>>& Constants()
{
    static std::map<std::string, int64_t, std::less<>> constants;
    return constants;
}

} // namespace

int64_t MessageResult::AsInteger() const
{
    if (size == 0 || size > 8) return 0;
    int64_t value = 0;
    std::memcpy(&value, bytes.data(), size);
    return value;
}

Class::Class(std::string name, const Class* superclass)
    : Object(nullptr), name_(std::move(name)), superclass_(superclass)
{
}

bool Class::IsKindOf(const Class* other) const
{
    for (const Class* c = this; c; c = c->superclass_)
        if (c == other) return true;
    return false;
}

void Class::AddMethod(std::string selector, const std::string& /*typeEncoding*/, Method method)
{
    methods_[std::move(selector)] = std::move(method);
}

void Class::AddClassMethod(std::string selector, Method method)
{
    classMethods_[std::move(selector)] = std::move(method);
}

const Method* Class::FindMethod(std::string_view selector) const
{
    for (const Class* c = this; c; c = c->superclass_) {
        auto it = c->methods_.find(std::string(selector));
        if (it != c->methods_.end()) return &it->second;
    }
    return nullptr;
}

const Method* Class::FindClassMethod(std::string_view selector) const
{
    for (const Class* c = this; c; c = c->superclass_) {
        auto it = c->classMethods_.find(std::string(selector));
        if (it != c->classMethods_.end()) return &it->second;
    }
    return nullptr;
}

namespace {

std::vector<std::string> SortedKeys(const std::unordered_map<std::string, Method>& table)
{
    std::vector<std::string> keys;
    keys.reserve(table.size());
    for (const auto& entry : table)
        keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace

std::vector<std::string> Class::Selectors() const
{
    return SortedKeys(methods_);
}

std::vector<std::string> Class::ClassSelectors() const
{
    return SortedKeys(classMethods_);
}

std::vector<Class*> AllClasses()
{
    std::vector<Class*> classes;
    for (const auto& entry : Classes())
        classes.push_back(entry.second.get());
    return classes;
}

Class* FindClass(std::string_view name)
{
    auto it = Classes().find(name);
    return it == Classes().end() ? nullptr : it->second.get();
}

Class* AllocateClass(std::string_view superclassName, std::string_view name)
{
    if (name.empty() || FindClass(name) || PendingClasses().contains(name)) return nullptr;
    const Class* superclass = nullptr;
    if (!superclassName.empty()) {
        superclass = FindClass(superclassName);
        if (!superclass) return nullptr;
    }
    auto cls = std::make_unique<Class>(std::string(name), superclass);
    Class* raw = cls.get();
    PendingClasses().emplace(std::string(name), std::move(cls));
    return raw;
}

void RegisterClass(Class* cls)
{
    if (!cls) return;
    auto node = PendingClasses().extract(cls->Name());
    if (node) Classes().insert(std::move(node));
}

Class* DefineClass(std::string_view superclassName, std::string_view name)
{
    if (Class* existing = FindClass(name)) return existing;
    Class* cls = AllocateClass(superclassName, name);
    RegisterClass(cls);
    return cls;
}

bool SendMessage(int64_t receiver, std::string_view selector, MessageArgs args, MessageResult& result)
{
    result = {};
    Object* object = ObjectFromHandle(receiver);
    if (!object) return false;
    const Method* method = nullptr;
    if (object->GetClass()) {
        method = object->GetClass()->FindMethod(selector);
    } else if (auto* cls = dynamic_cast<Class*>(object)) {
        method = cls->FindClassMethod(selector);
    }
    if (!method) return false;
    result = (*method)(object, args);
    return true;
}

bool SendClassMessage(std::string_view className, std::string_view selector, MessageArgs args,
                      MessageResult& result)
{
    result = {};
    Class* cls = FindClass(className);
    if (!cls) return false;
    const Method* method = cls->FindClassMethod(selector);
    if (!method) return false;
    result = (*method)(cls, args);
    return true;
}

int64_t LookupConstant(std::string_view name)
{
    auto it = Constants().find(name);
    return it == Constants().end() ? 0 : it->second;
}

void DefineConstant(std::string name, int64_t value)
{
    Constants()[std::move(name)] = value;
}

} // namespace nevalon::platform
