#include "runtime/system/drawing/Images.h"

#include "platform/Foundation.h"
#include "runtime/system/drawing/Drawing.h"
#include "runtime/system/drawing/ImageTable.h"

#include <algorithm>
#include <new>

namespace nevalon::system {
namespace {

// Width and height are kept in 16 bits.
constexpr int64_t kMaxImageSide = 65535;

} // namespace

int64_t InitImages()
{
    platform::RegisterPlatformClasses();
    return 1;
}

void EndImages()
{
    EndDrawing();
    Images().ReleaseAll();
}

int64_t NewImage(int64_t image, int64_t width, int64_t height, int64_t /*depth*/, int64_t background)
{
    if (image != -1) DisposeImage(image);
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return 0;
    ImageRecord* record = Images().Claim(image);
    if (!record) return 0;
    // The class must be known before the first platform image is made, or messages to it would go unanswered.
    platform::RegisterPlatformClasses();
    try {
        auto* picture = new platform::Image(static_cast<int>(width), static_cast<int>(height),
                                            {static_cast<double>(width), static_cast<double>(height)});
        record->image = platform::Ref<platform::Image>::Adopt(picture);
    } catch (const std::bad_alloc&) {
        Images().Release(Images().NumberOf(record));
        return 0;
    }
    // The new pixels are clear already.
    if ((background & 0xFFFFFFFF) != 0xFFFFFFFF) {
        auto& pixels = record->image->Pixels();
        std::fill(pixels.begin(), pixels.end(), static_cast<uint32_t>(background & 0x00FFFFFF) | 0xFF000000u);
    }
    return image == -1 ? Images().NumberOf(record) : record->image->Handle();
}

void DisposeImage(int64_t image)
{
    if (image == -1)
        Images().ReleaseAll();
    else
        Images().Release(image);
}

int64_t ImageExists(int64_t image)
{
    return Images().Find(image) ? 1 : 0;
}

int64_t ImageHandle(int64_t image)
{
    const ImageRecord* record = Images().Find(image);
    return record ? record->image->Handle() : 0;
}

} // namespace nevalon::system
