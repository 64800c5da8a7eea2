#pragma once

#include <cstdint>
#include <string>

namespace nevalon::platform {

class Class;

// Base of every platform object. A handle is the object's address; the registry of live
// objects lets callers that hold a bare number ask whether it still names an object.
class Object {
public:
    explicit Object(const Class* cls);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const Class* GetClass() const { return cls_; }
    int64_t Handle() const { return static_cast<int64_t>(reinterpret_cast<uintptr_t>(this)); }
    // Unique among every object of the run, unlike the address, which a later object may reuse.
    uint64_t Serial() const { return serial_; }

    // Reference counting: an object starts with one reference owned by its creator.
    void Retain() { ++refs_; }
    void Release();
    int RetainCount() const { return refs_; }

    // Makes the object live for the rest of the run: releases no longer destroy it. For the
    // platform's shared objects, which a stray "release" from a caller must not take away.
    void MakePermanent() { permanent_ = true; }

private:
    const Class* cls_;
    uint64_t serial_;
    int refs_ = 1;
    bool permanent_ = false;
};

// The live object with this handle, or null for any value that is not one.
Object* ObjectFromHandle(int64_t handle);

// Number of live platform objects (for leak checks in tests).
int64_t LiveObjectCount();

// Defers a release to the next drain of the autorelease pool.
void Autorelease(Object* object);

// Releases every object handed to Autorelease since the last drain that is still alive (a caller
// may have released one too often meanwhile); never a later object that took a destroyed one's address.
void DrainAutoreleasePool();

// Holds one reference to a platform object for as long as it lives. Its one assignment, by value, serves
// both copies and moves.
template <typename T> class Ref { // NOLINT(cppcoreguidelines-special-member-functions)
public:
    Ref() = default;
    // Adopts the creator's reference.
    static Ref Adopt(T* object)
    {
        Ref ref;
        ref.object_ = object;
        return ref;
    }
    explicit Ref(T* object) : object_(object)
    {
        if (object_) object_->Retain();
    }
    Ref(const Ref& other) : Ref(other.object_) {}
    Ref(Ref&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Ref& operator=(Ref other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref()
    {
        if (object_) object_->Release();
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

} // namespace nevalon::platform
