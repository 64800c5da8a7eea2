#include "platform/Image.h"

#include "platform/Class.h"
#include "platform/Foundation.h"

namespace nevalon::platform {

Image::Image(int pixelWidth, int pixelHeight, Size pointSize)
    : Object(FindClass("NSImage")), pixelWidth_(pixelWidth), pixelHeight_(pixelHeight), pointSize_(pointSize),
      pixels_(static_cast<size_t>(pixelWidth) * static_cast<size_t>(pixelHeight))
{
}

void RegisterImageClass()
{
    if (FindClass("NSImage")) return;
    Class* image = DefineClass("NSObject", "NSImage");
    image->AddClassMethod("imageWithSystemSymbolName:accessibilityDescription:", [](Object*,
                                                                                    MessageArgs args) {
        Image* symbol = CreateSystemSymbolImage(Utf16ToUtf8(StringFromHandle(args.empty() ? 0 : args[0])));
        Autorelease(symbol);
        return MessageResult::Of(symbol ? symbol->Handle() : int64_t{0});
    });
    image->AddMethod("setSize:", "v@:{CGSize=dd}", [](Object* self, MessageArgs args) {
        if (!args.empty() && args[0]) {
            const auto* size = reinterpret_cast<const double*>(static_cast<uintptr_t>(args[0]));
            static_cast<Image*>(self)->SetPointSize({size[0], size[1]});
        }
        return MessageResult{};
    });
    image->AddMethod("size", "{CGSize=dd}@:", [](Object* self, MessageArgs) {
        return MessageResult::Of(static_cast<Image*>(self)->PointSize());
    });
}

} // namespace nevalon::platform
