#pragma once

#include "runtime/system/containers/ElementKind.h"

#include <cstdint>
#include <memory>
#include <new>

namespace nevalon::system {

template <typename T> class Array;

// Releases what `array` held and gives it `count` zero-filled elements; returns element 0, or null (and an
// empty variable) for a count below 1 or when memory ran out.
template <typename T> T* CreateArray(Array<T>& array, int64_t count, int32_t kind = KindOf<T>());

// Releases the elements and leaves the variable null.
template <typename T> void DisposeArray(Array<T>& array);

// A one-dimensional array variable: null until CreateArray gives it elements.
// Elements release their strings through their own destructors, so no record layout is walked.
template <typename T> class Array {
public:
    Array() = default;
    Array(Array&&) noexcept = default;
    Array& operator=(Array&&) noexcept = default;

    // Element `index`, unchecked.
    T& operator[](int64_t index) { return elements_[index]; }
    const T& operator[](int64_t index) const { return elements_[index]; }

    // Address of element `index`; null when out of range.
    T* At(int64_t index) { return index >= 0 && index < count_ ? &elements_[index] : nullptr; }

    // Address of element 0; null while the array has no elements.
    T* Data() const { return elements_.get(); }

    // Number of elements; 0 while there are none.
    int64_t Count() const { return count_; }

    // Number of dimensions (always 1).
    int64_t Dimensions() const { return 1; }

    // The element kind given at creation.
    int32_t Kind() const { return kind_; }

private:
    template <typename U> friend U* CreateArray(Array<U>&, int64_t, int32_t);
    template <typename U> friend void DisposeArray(Array<U>&);

    std::unique_ptr<T[]> elements_;
    int64_t count_ = 0;
    int32_t kind_ = KindOf<T>();
};

template <typename T> T* CreateArray(Array<T>& array, int64_t count, int32_t kind)
{
    DisposeArray(array);
    if (count < 1) return nullptr;
    try {
        array.elements_.reset(new (std::nothrow) T[static_cast<size_t>(count)]());
    } catch (...) {
        return nullptr;
    }
    if (!array.elements_) return nullptr;
    array.count_ = count;
    array.kind_ = kind;
    return array.elements_.get();
}

template <typename T> void DisposeArray(Array<T>& array)
{
    array.elements_.reset();
    array.count_ = 0;
}

} // namespace nevalon::system
