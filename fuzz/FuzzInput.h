#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace nevalon::fuzz {

// Takes values off the front of a fuzzer's input; an exhausted input gives zeros and empty pieces.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    bool Empty() const { return size_ == 0; }

    uint8_t Byte()
    {
        if (size_ == 0) return 0;
        --size_;
        return static_cast<uint8_t>(*data_++);
    }

    // Up to eight bytes, little end first, as a signed value.
    int64_t Integer()
    {
        uint64_t value = 0;
        for (int shift = 0; shift < 64 && size_ > 0; shift += 8)
            value |= uint64_t{Byte()} << shift;
        return static_cast<int64_t>(value);
    }

    // The bytes up to the next zero byte, which is taken too, or all that is left.
    std::string_view Piece()
    {
        const void* zero = std::memchr(data_, 0, size_);
        const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data_) : size_;
        std::string_view piece(data_, length);
        const size_t taken = zero ? length + 1 : length;
        data_ += taken;
        size_ -= taken;
        return piece;
    }

    std::string_view Rest()
    {
        std::string_view rest(data_, size_);
        data_ += size_;
        size_ = 0;
        return rest;
    }

private:
    const char* data_;
    size_t size_;
};

// Stops the run at a broken property, so that the fuzzer keeps the input that broke it.
inline void Require(bool holds)
{
    if (!holds) std::abort();
}

} // namespace nevalon::fuzz
