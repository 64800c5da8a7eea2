#pragma once

#include "platform/Image.h"
#include "platform/Object.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace nevalon::system {

// An image: the platform image, whose pixels are its bitmap. Live while it holds one.
struct ImageRecord {
    platform::Ref<platform::Image> image;
};

// Images by number: fixed numbers in slots grown by a growth step, and dynamic records whose address is
// their handle.
class ImageTable {
public:
    static constexpr int64_t kGrowthStep = 16;
    // Fixed numbers are small; anything from here on must be a live handle.
    static constexpr int64_t kFixedNumberLimit = int64_t{1} << 20;

    ImageTable() : slots_(kGrowthStep) {}

    // The live record named by a fixed number or a handle; null otherwise.
    ImageRecord* Find(int64_t number) const;

    // An empty record for a new image under `number` (-1: a new dynamic one), replacing a live one there.
    // Null for a number that can name nothing.
    ImageRecord* Claim(int64_t number);

    // The number naming `record`: its slot or, for a dynamic one, its address.
    int64_t NumberOf(const ImageRecord* record) const;

    // Frees the image and its number; an unknown number does nothing.
    void Release(int64_t number);

    // Frees every image, fixed numbers first.
    void ReleaseAll();

private:
    std::vector<std::unique_ptr<ImageRecord>> slots_;
    std::vector<std::unique_ptr<ImageRecord>> dynamic_;
};

// The process-wide table of images.
ImageTable& Images();

} // namespace nevalon::system
