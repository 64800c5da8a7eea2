#include "platform/Object.h"

#include <unordered_set>
#include <vector>

namespace nevalon::platform {
namespace {

std::unordered_set<const Object*>& LiveObjects()
{
    // Never destroyed: objects may be released during the process's exit.
    static auto* live = new std::unordered_set<const Object*>();
    return *live;
}

std::vector<Object*>& AutoreleasePool()
{
    static auto* pool = new std::vector<Object*>();
    return *pool;
}

} // namespace

Object::Object(const Class* cls) : cls_(cls)
{
    LiveObjects().insert(this);
}

Object::~Object()
{
    LiveObjects().erase(this);
}

void Object::Release()
{
    if (refs_ == 1 && permanent_) return;
    if (--refs_ == 0) delete this;
}

Object* ObjectFromHandle(int64_t handle)
{
    auto* candidate = reinterpret_cast<Object*>(static_cast<uintptr_t>(handle));
    if (handle == 0 || !LiveObjects().contains(candidate)) return nullptr;
    return candidate;
}

int64_t LiveObjectCount()
{
    return static_cast<int64_t>(LiveObjects().size());
}

void Autorelease(Object* object)
{
    if (object) AutoreleasePool().push_back(object);
}

void DrainAutoreleasePool()
{
    // Releasing may autorelease more objects; those belong to the next pool.
    std::vector<Object*> drained;
    drained.swap(AutoreleasePool());
    for (Object* object : drained)
        if (LiveObjects().contains(object)) object->Release();
}

} // namespace nevalon::platform
