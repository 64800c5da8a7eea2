#include "platform/Font.h"

#include "platform/Class.h"

namespace nevalon::platform {

Font::Font(std::u16string family, double pointSize, bool bold, bool italic)
    : Object(FindClass("NSFont")), family_(std::move(family)), pointSize_(pointSize), bold_(bold),
      italic_(italic)
{
}

void RegisterFontClass()
{
    if (!FindClass("NSFont")) DefineClass("NSObject", "NSFont");
}

} // namespace nevalon::platform
