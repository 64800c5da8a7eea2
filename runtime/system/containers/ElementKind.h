#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>
#include <type_traits>

namespace nevalon::system {

// Element kind codes shared by lists, arrays and the sort.
enum ElementKind : int32_t {
    KindInt8 = 1,
    KindInt16 = 3,
    KindInt32 = 5,
    KindStructure = 7,
    KindString = 8,
    KindFloat32 = 9,
    KindChar16 = 11,
    KindFloat64 = 12,
    KindInt64 = 13,
    KindInteger = 21,
    KindAscii = 24,
    KindUnicode = 25,
};

// Options of SortListByField; they combine.
enum SortOption : int32_t {
    SortDescending = 1,
    SortNoCase = 2,
};

// The kind an element or key of type T has unless told otherwise.
template <typename T> constexpr int32_t KindOf()
{
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<U, String>)
        return KindString;
    else if constexpr (std::is_same_v<U, char16_t>)
        return KindUnicode;
    else if constexpr (std::is_same_v<U, char> || std::is_same_v<U, unsigned char>)
        return KindAscii;
    else if constexpr (std::is_same_v<U, uint16_t>)
        return KindChar16;
    else if constexpr (std::is_same_v<U, float>)
        return KindFloat32;
    else if constexpr (std::is_same_v<U, double>)
        return KindFloat64;
    else if constexpr (std::is_enum_v<U>)
        return KindOf<std::underlying_type_t<U>>();
    else if constexpr (std::is_integral_v<U> && std::is_signed_v<U> && sizeof(U) == 1)
        return KindInt8;
    else if constexpr (std::is_integral_v<U> && std::is_signed_v<U> && sizeof(U) == 2)
        return KindInt16;
    else if constexpr (std::is_integral_v<U> && std::is_signed_v<U> && sizeof(U) == 4)
        return KindInt32;
    else if constexpr (std::is_integral_v<U>)
        return KindInteger;
    else
        return KindStructure;
}

} // namespace nevalon::system
