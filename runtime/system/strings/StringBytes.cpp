#include "runtime/system/strings/StringBytes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>

namespace nevalon::system {

namespace {

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

StringFormat Normalised(StringFormat format)
{
    return format == FormatUtf8 || format == FormatUtf16 ? format : FormatAscii;
}

// Decodes UTF-8 either from a known number of bytes or up to the first zero byte, at most `limit`
// characters.
class Utf8Decoder {
public:
    static Utf8Decoder Bounded(const unsigned char* p, size_t size) { return Utf8Decoder(p, p + size, true); }
    static Utf8Decoder UntilZero(const unsigned char* p) { return Utf8Decoder(p, nullptr, false); }

    String Decode(uint64_t limit)
    {
        // Every byte yields at most one unit (four bytes yield two), so a bounded input never grows.
        out_.resize(bounded_ ? static_cast<size_t>(end_ - p_) : 64);
        for (uint64_t chars = 0; chars < limit && !AtEnd(p_); ++chars) {
            // A run of ASCII, most of any text, is copied as it stands (the units fit: see above).
            if (bounded_ && *p_ < 0x80) {
                const unsigned char* run = p_;
                while (run != end_ && *run < 0x80 && static_cast<uint64_t>(run - p_) < limit - chars)
                    ++run;
                std::copy(p_, run, out_.begin() + static_cast<std::ptrdiff_t>(written_));
                written_ += static_cast<size_t>(run - p_);
                chars += static_cast<uint64_t>(run - p_) - 1;
                p_ = run;
                continue;
            }
            if (!DecodeOne()) break;
        }
        out_.resize(written_);
        return std::move(out_);
    }

private:
    Utf8Decoder(const unsigned char* p, const unsigned char* end, bool bounded)
        : p_(p), end_(end), bounded_(bounded)
    {
    }

    bool AtEnd(const unsigned char* at) const { return bounded_ ? at == end_ : *at == 0; }

    void Put(char16_t unit)
    {
        if (written_ == out_.size()) out_.resize(out_.size() * 2 + 16);
        out_[written_++] = unit;
    }

    // Decodes one character; false when decoding ends here.
    bool DecodeOne()
    {
        unsigned lead = *p_;
        if (lead < 0xC0) {
            Put(lead < 0x80 ? static_cast<char16_t>(lead) : u'\xFFFD');
            ++p_;
            return true;
        }
        if (lead >= 0xF8) return false;
        const int extra = Utf8SequenceLength(static_cast<unsigned char>(lead)) - 1;
        uint32_t point = lead & (0x3Fu >> extra);
        const unsigned char* q = p_ + 1;
        for (int k = 0; k < extra; ++k, ++q) {
            if (AtEnd(q)) return false;
            if ((*q & 0xC0) != 0x80) {
                // A broken sequence stands for one replacement; the byte that broke it starts the next.
                Put(0xFFFD);
                p_ = q;
                return true;
            }
            point = point << 6 | (*q & 0x3Fu);
        }
        if (point > 0x10FFFF) return false;
        p_ = q;
        // An overlong form could smuggle a zero or a line end past byte-level checks; it stands for one
        // replacement, like any other broken sequence.
        static constexpr uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (point < kShortest[extra]) {
            Put(0xFFFD);
            return true;
        }
        if (point <= 0xFFFF) {
            Put(static_cast<char16_t>(point));
        } else {
            Put(HighSurrogate(point));
            Put(LowSurrogate(point));
        }
        return true;
    }

    const unsigned char* p_;
    const unsigned char* end_;
    bool bounded_;
    String out_;
    size_t written_ = 0;
};

} // namespace

std::string StringToUtf8(const String& text)
{
    size_t size = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit < 0x80)
            size += 1;
        else if (unit < 0x800)
            size += 2;
        else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            size += 4, ++i;
        else
            size += 3;
    }
    std::string bytes(size, '\0');
    char* out = bytes.data();
    auto put = [&out](uint32_t byte) { *out++ = static_cast<char>(byte); };
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t unit = text[i];
        if (unit < 0x80) {
            put(unit);
        } else if (unit < 0x800) {
            put(0xC0 | unit >> 6);
            put(0x80 | (unit & 0x3F));
        } else if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            uint32_t point = 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00u);
            put(0xF0 | point >> 18);
            put(0x80 | (point >> 12 & 0x3F));
            put(0x80 | (point >> 6 & 0x3F));
            put(0x80 | (point & 0x3F));
        } else {
            // An unpaired surrogate is kept as its own three bytes so that decoding gives it back.
            put(0xE0 | unit >> 12);
            put(0x80 | (unit >> 6 & 0x3F));
            put(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}

std::string StringToBytes(const String& text, StringFormat format)
{
    switch (Normalised(format)) {
    case FormatUtf8:
        return StringToUtf8(text);
    case FormatUtf16:
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    default: {
        std::string bytes;
        bytes.reserve(text.size());
        for (char16_t unit : text)
            if (unit < 0x100) bytes.push_back(static_cast<char>(unit));
        return bytes;
    }
    }
}

String StringFromBytes(const void* address, int64_t length, StringFormat format)
{
    if (address == nullptr || length == 0) return String();
    const auto* bytes = static_cast<const unsigned char*>(address);
    uint64_t limit = length < 0 ? std::numeric_limits<uint64_t>::max() : static_cast<uint64_t>(length);
    switch (Normalised(format)) {
    case FormatUtf8:
        if (length < 0) {
            size_t size = std::strlen(reinterpret_cast<const char*>(bytes));
            return Utf8Decoder::Bounded(bytes, size).Decode(limit);
        }
        return Utf8Decoder::UntilZero(bytes).Decode(limit);
    case FormatUtf16: {
        String text;
        for (uint64_t i = 0; i < limit; ++i) {
            char16_t unit = 0;
            std::memcpy(&unit, bytes + i * sizeof unit, sizeof unit);
            if (unit == 0) break;
            text.push_back(unit);
        }
        return text;
    }
    default: {
        uint64_t size = 0;
        while (size < limit && bytes[size] != 0)
            ++size;
        return String(bytes, bytes + size);
    }
    }
}

String StringFromUtf8(std::string_view bytes)
{
    const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
    return Utf8Decoder::Bounded(first, bytes.size()).Decode(std::numeric_limits<uint64_t>::max());
}

} // namespace nevalon::system
