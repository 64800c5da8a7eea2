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
    image->AddClassMethod(
        "imageWithSystemSymbolName:accessibilityDescription:", [](Object*, MessageArgs args) {
            Image* symbol = CreateSystemSymbolImage(Utf16ToUtf8(StringFromHandle(Argument(args, 0))));
            Autorelease(symbol);
            return MessageResult::Of(symbol ? symbol->Handle() : int64_t{0});
        });
    image->AddClassMethod("imageNamed:", [](Object*, MessageArgs args) {
        Image* named = CreateNamedImage(Utf16ToUtf8(StringFromHandle(Argument(args, 0))));
        Autorelease(named);
        return MessageResult::Of(named ? named->Handle() : int64_t{0});
    });
    // The size comes as two doubles in a data object; anything shorter changes nothing.
    image->AddMethodOf<Image>("setSize:", "v@:{CGSize=dd}", [](Image& self, MessageArgs args) {
        const DataObject* data = DataFromHandle(Argument(args, 0));
        if (auto size = data ? data->As<Size>() : std::nullopt) self.SetPointSize(*size);
        return MessageResult{};
    });
    image->AddMethodOf<Image>("size", "{CGSize=dd}@:", [](Image& self, MessageArgs) {
        return MessageResult::Of(self.PointSize());
    });
}

} // namespace nevalon::platform
