#pragma once

#include "runtime/system/containers/List.h"
#include "runtime/system/strings/Strings.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <type_traits>

namespace nevalon::system {

namespace sort_keys {

template <typename K>
concept Text = std::is_same_v<K, String>;

// A string key that may be absent (a pointer, std::optional, ...): absent orders first.
template <typename K>
concept NullableText = !Text<K> && requires(const K& key)
{
    static_cast<bool>(key);
    {
        *key
        } -> std::convertible_to<const String&>;
};

template <typename K>
concept Number = std::is_arithmetic_v<K> || std::is_enum_v<K>;

template <typename K> constexpr int32_t NaturalKind()
{
    if constexpr (Text<K> || NullableText<K>)
        return KindString;
    else
        return KindOf<K>();
}

template <typename K> const String* TextOf(const K& key)
{
    if constexpr (Text<K>)
        return &key;
    else
        return key ? &static_cast<const String&>(*key) : nullptr;
}

template <typename Target, typename K> Target NumberAs(K key)
{
    if constexpr (std::is_enum_v<K>)
        return static_cast<Target>(static_cast<std::underlying_type_t<K>>(key));
    else
        return static_cast<Target>(key);
}

} // namespace sort_keys

// Stable sort of the list by the key that `key` (a pointer to a member, or a callable on the element) picks,
// compared as `keyKind` (-1: the list's kind, or for a list of records the key's own kind); options
// SortDescending and SortNoCase; first and last index -1 sort the whole list. String keys that may be null
// order a null key first. A kind that does not fit the key leaves the order unchanged.
template <typename T, typename Key = std::identity>
void SortListByField(List<T>& list, int32_t options, Key key = {}, int32_t keyKind = -1, int64_t first = -1,
                     int64_t last = -1)
{
    using K = std::remove_cvref_t<std::invoke_result_t<Key&, const T&>>;
    int32_t kind = keyKind;
    if (kind == -1) kind = list.Kind() == KindStructure ? sort_keys::NaturalKind<K>() : list.Kind();

    auto sortBy = [&](auto compare) {
        auto keyOf = [&key](const T& element) -> decltype(auto) { return std::invoke(key, element); };
        if (options & SortDescending)
            list.SortElements(first, last,
                              [&](const T& a, const T& b) { return compare(keyOf(a), keyOf(b)) >= 0; });
        else
            list.SortElements(first, last,
                              [&](const T& a, const T& b) { return compare(keyOf(a), keyOf(b)) <= 0; });
    };
    auto byNumber = [&sortBy]<typename Target>(std::type_identity<Target>) {
        sortBy([](const K& a, const K& b) {
            Target x = sort_keys::NumberAs<Target>(a);
            Target y = sort_keys::NumberAs<Target>(b);
            return static_cast<int>(x > y) - static_cast<int>(x < y);
        });
    };

    if constexpr (sort_keys::Text<K> || sort_keys::NullableText<K>) {
        if (kind != KindString) return;
        auto textOrder = [](auto compareStrings) {
            return [compareStrings](const K& a, const K& b) -> int64_t {
                const String* x = sort_keys::TextOf(a);
                const String* y = sort_keys::TextOf(b);
                if (!x || !y) return static_cast<int64_t>(x != nullptr) - static_cast<int64_t>(y != nullptr);
                return compareStrings(*x, *y);
            };
        };
        if (options & SortNoCase)
            sortBy(textOrder(CompareStringsNoCase));
        else
            sortBy(textOrder(CompareStrings));
    } else if constexpr (sort_keys::Number<K>) {
        constexpr bool integral = !std::is_floating_point_v<K>;
        switch (kind) {
        case KindFloat32:
            return byNumber(std::type_identity<float>());
        case KindFloat64:
            return byNumber(std::type_identity<double>());
        }
        if constexpr (integral) {
            switch (kind) {
            case KindInt8:
                return byNumber(std::type_identity<int8_t>());
            case KindInt16:
                return byNumber(std::type_identity<int16_t>());
            case KindInt32:
                return byNumber(std::type_identity<int32_t>());
            case KindInt64:
            case KindInteger:
                return byNumber(std::type_identity<int64_t>());
            case KindChar16:
            case KindUnicode:
                return byNumber(std::type_identity<uint16_t>());
            case KindAscii:
                return byNumber(std::type_identity<uint8_t>());
            }
        }
    }
}

} // namespace nevalon::system
