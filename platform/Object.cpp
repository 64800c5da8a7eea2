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

// Each entry keeps the object's serial as well as its address: an object released too often may be
// gone by the drain, and a new one may live at its address by then.
struct PooledObject {
    Object* object;
    uint64_t serial;
};

std::vector<PooledObject>& AutoreleasePool()
{
    static auto* pool = new std::vector<PooledObject>();
    return *pool;
}

uint64_t NextSerial()
{
    static uint64_t last = 0;
    return ++last;
}

} // namespace

Object::Object(const Class* cls) : cls_(cls), serial_(NextSerial())
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
    if (object) AutoreleasePool().push_back({object, object->Serial()});
}

void DrainAutoreleasePool()
{
    // Releasing may autorelease more objects; those belong to the next pool.
    std::vector<PooledObject> drained;
    drained.swap(AutoreleasePool());
    for (const PooledObject& entry : drained)
        if (LiveObjects().contains(entry.object) && entry.object->Serial() == entry.serial)
            entry.object->Release();
}

} // namespace nevalon::platform
