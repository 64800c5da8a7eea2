#include "platform/View.h"

#include "platform/Class.h"

namespace nevalon::platform {

void RegisterViewClasses()
{
    if (FindClass("NSControl")) return;
    DefineClass("NSView", "NSControl");
    DefineClass("NSControl", "NSButton");
    DefineClass("NSControl", "NSTextField");
    DefineClass("NSTextField", "NSSecureTextField");
    DefineClass("NSButton", "NSPopUpButton");
    DefineClass("NSControl", "NSImageView");
    DefineClass("NSControl", "NSDatePicker");
    DefineClass("NSView", "NSScrollView");
}

} // namespace nevalon::platform
