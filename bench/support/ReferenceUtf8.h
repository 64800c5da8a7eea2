#pragma once

#include <cstdint>
#include <string>

namespace nevalon::bench {

// A plain UTF-8 decoder written without the library, as the reference the benchmarks measure against.
inline std::u16string ReferenceFromUtf8(const std::string& bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        auto b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        uint32_t c = extra == 0 ? b : b & (0x3Fu >> extra);
        if (i + extra >= bytes.size()) break;
        for (int k = 1; k <= extra; ++k)
            c = c << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3Fu);
        i += extra + 1;
        // Overlong forms decode to U+FFFD, as in the library, so that both do the same work.
        static constexpr uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kShortest[extra]) c = 0xFFFD;
        if (c > 0xFFFF) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

} // namespace nevalon::bench
