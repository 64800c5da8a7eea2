#include "platform/Foundation.h"

#include "platform/Application.h"
#include "platform/Defaults.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Screens.h"
#include "platform/View.h"
#include "platform/WindowClasses.h"

#include <cstdio>
#include <sys/random.h>
#include <vector>

namespace nevalon::platform {
namespace {

struct Observation {
    int64_t observer;
    std::u16string keyPath;
    int64_t options;
    int64_t context;
};

// The shared application: the object observed for appearance changes.
class ApplicationObject : public Object {
public:
    using Object::Object;
    std::vector<Observation> observations;
};

class AppearanceObject : public Object {
public:
    AppearanceObject(const Class* cls, bool dark) : Object(cls), dark(dark) {}
    bool dark;
};

ApplicationObject* sharedApp = nullptr;
Object* processInfo = nullptr;
Object* runningApp = nullptr;
Object* mainBundle = nullptr;
Object* mainMenu = nullptr;
Object* standardDefaults = nullptr;

MessageResult Handle(const Object* object)
{
    return MessageResult::Of(object ? object->Handle() : int64_t{0});
}

// The platform's shared objects live for the whole run, whatever callers release.
Object* Singleton(Object*& slot, const char* className)
{
    if (!slot) {
        slot = new Instance(FindClass(className));
        slot->MakePermanent();
    }
    return slot;
}

std::string NewUuid()
{
    unsigned char b[16];
    size_t got = 0;
    while (got < sizeof b) {
        ssize_t n = getrandom(b + got, sizeof b - got, 0);
        if (n > 0) got += static_cast<size_t>(n);
    }
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}

void RegisterObjectClass()
{
    Class* object = DefineClass("", "NSObject");
    object->AddClassMethod("new", [](Object* self, MessageArgs) {
        // The caller owns the new object, as with any "new".
        return Handle(new Instance(static_cast<Class*>(self)));
    });
    object->AddMethod("retain", "@@:", [](Object* self, MessageArgs) {
        self->Retain();
        return Handle(self);
    });
    object->AddMethod("release", "v@:", [](Object* self, MessageArgs) {
        self->Release();
        return MessageResult{};
    });
    object->AddMethod("autorelease", "@@:", [](Object* self, MessageArgs) {
        Autorelease(self);
        return Handle(self);
    });
}

void RegisterValueClasses()
{
    Class* string = DefineClass("NSObject", "NSString");
    string->AddMethodOf<StringObject>("UTF8String", "*@:", [](StringObject& self, MessageArgs) {
        return MessageResult::Of(reinterpret_cast<int64_t>(self.Utf8()));
    });
    string->AddMethodOf<StringObject>("length", "Q@:", [](StringObject& self, MessageArgs) {
        return MessageResult::Of(static_cast<int64_t>(self.Text().size()));
    });

    DefineClass("NSObject", "NSData");

    Class* dictionary = DefineClass("NSObject", "NSDictionary");
    dictionary->AddMethodOf<DictionaryObject>(
        "objectForKey:", "@@:@", [](DictionaryObject& self, MessageArgs args) {
            return Handle(self.Get(StringFromHandle(Argument(args, 0))));
        });

    Class* uuid = DefineClass("NSObject", "NSUUID");
    uuid->AddClassMethod("UUID", [](Object* self, MessageArgs) {
        auto* id = new Instance(static_cast<Class*>(self));
        Autorelease(id);
        return Handle(id);
    });
    uuid->AddMethod("UUIDString",
                    "@@:", [](Object*, MessageArgs) { return MessageResult::Of(MakeString(NewUuid())); });
}

void RegisterProcessClasses()
{
    Class* info = DefineClass("NSObject", "NSProcessInfo");
    info->AddClassMethod(
        "processInfo", [](Object*, MessageArgs) { return Handle(Singleton(processInfo, "NSProcessInfo")); });
    info->AddMethod("operatingSystemVersion", "{NSOperatingSystemVersion=qqq}@:", [](Object*, MessageArgs) {
        return MessageResult::Of(OperatingSystemVersion());
    });
    info->AddMethod("setProcessName:", "v@:@", [](Object*, MessageArgs args) {
        SetApplicationName(StringFromHandle(Argument(args, 0)));
        return MessageResult{};
    });
    info->AddMethod("processName", "@@:", [](Object*, MessageArgs) {
        auto* name = new StringObject(ApplicationName());
        Autorelease(name);
        return Handle(name);
    });

    Class* running = DefineClass("NSObject", "NSRunningApplication");
    running->AddClassMethod("currentApplication", [](Object*, MessageArgs) {
        return Handle(Singleton(runningApp, "NSRunningApplication"));
    });
    running->AddMethod("activateWithOptions:", "c@:Q", [](Object*, MessageArgs) {
        ActivateApplication();
        return MessageResult::Of(int64_t{1});
    });

    Class* bundle = DefineClass("NSObject", "NSBundle");
    bundle->AddClassMethod("mainBundle",
                           [](Object*, MessageArgs) { return Handle(Singleton(mainBundle, "NSBundle")); });
    bundle->AddMethod("bundlePath", "@@:", [](Object*, MessageArgs) {
        return MessageResult::Of(MakeString(BundlePath()));
    });

    Class* defaults = DefineClass("NSObject", "NSUserDefaults");
    defaults->AddClassMethod("standardUserDefaults", [](Object*, MessageArgs) {
        return Handle(Singleton(standardDefaults, "NSUserDefaults"));
    });
    defaults->AddMethod("integerForKey:", "q@:@", [](Object*, MessageArgs args) {
        return MessageResult::Of(DefaultsInteger(StringFromHandle(Argument(args, 0))));
    });
    defaults->AddMethod("setInteger:forKey:", "v@:q@", [](Object*, MessageArgs args) {
        SetDefaultsInteger(StringFromHandle(Argument(args, 1)), Argument(args, 0));
        return MessageResult{};
    });
    defaults->AddMethod("synchronize", "c@:", [](Object*, MessageArgs) {
        return MessageResult::Of(int64_t{SynchronizeDefaults() ? 1 : 0});
    });
    defaults->AddMethod("stringForKey:", "@@:@", [](Object*, MessageArgs args) {
        std::u16string key = StringFromHandle(Argument(args, 0));
        // The desktop's appearance answers for the key the platform itself keeps it under.
        if (key == u"AppleInterfaceStyle")
            return MessageResult::Of(IsDarkAppearance() ? MakeString(u"Dark") : int64_t{0});
        auto value = DefaultsString(key);
        return MessageResult::Of(value ? MakeString(*value) : int64_t{0});
    });
}

void RegisterApplicationClasses()
{
    Class* appearance = DefineClass("NSObject", "NSAppearance");
    // The current appearance is the one the program's windows draw in.
    appearance->AddClassMethod("setCurrentAppearance:", [](Object*, MessageArgs args) {
        if (auto* chosen = dynamic_cast<AppearanceObject*>(ObjectFromHandle(Argument(args, 0))))
            SetAppearance(chosen->dark);
        return MessageResult{};
    });
    appearance->AddMethodOf<AppearanceObject>("name", "@@:", [](AppearanceObject& self, MessageArgs) {
        return MessageResult::Of(
            MakeString(self.dark ? u"NSAppearanceNameDarkAqua" : u"NSAppearanceNameAqua"));
    });

    Class* menu = DefineClass("NSObject", "NSMenu");
    menu->AddMethod("menuBarHeight",
                    "d@:", [](Object*, MessageArgs) { return MessageResult::Of(MenuBarHeight()); });

    Class* app = DefineClass("NSObject", "NSApplication");
    app->AddClassMethod("sharedApplication",
                        [](Object*, MessageArgs) { return MessageResult::Of(SharedApplicationHandle()); });
    app->AddMethodOf<ApplicationObject>("setActivationPolicy:", "c@:q",
                                        [](ApplicationObject&, MessageArgs args) {
                                            SetActivationPolicy(Argument(args, 0));
                                            return MessageResult::Of(int64_t{1});
                                        });
    app->AddMethodOf<ApplicationObject>("activationPolicy", "q@:", [](ApplicationObject&, MessageArgs) {
        return MessageResult::Of(ActivationPolicy());
    });
    app->AddMethodOf<ApplicationObject>(
        "setApplicationIconImage:", "v@:@", [](ApplicationObject&, MessageArgs args) {
            SetApplicationIcon(dynamic_cast<const Image*>(ObjectFromHandle(Argument(args, 0))));
            return MessageResult{};
        });
    app->AddMethodOf<ApplicationObject>("mainMenu", "@@:", [](ApplicationObject&, MessageArgs) {
        return Handle(Singleton(mainMenu, "NSMenu"));
    });
    app->AddMethodOf<ApplicationObject>("effectiveAppearance", "@@:", [](ApplicationObject&, MessageArgs) {
        auto* current = new AppearanceObject(FindClass("NSAppearance"), IsDarkAppearance());
        Autorelease(current);
        return Handle(current);
    });
    app->AddMethodOf<ApplicationObject>(
        "addObserver:forKeyPath:options:context:", "v@:@@Q^v", [](ApplicationObject& self, MessageArgs args) {
            self.observations.push_back({Argument(args, 0), StringFromHandle(Argument(args, 1)),
                                         Argument(args, 2), Argument(args, 3)});
            return MessageResult{};
        });
    app->AddMethodOf<ApplicationObject>(
        "removeObserver:forKeyPath:", "v@:@@", [](ApplicationObject& self, MessageArgs args) {
            std::u16string keyPath = StringFromHandle(Argument(args, 1));
            std::erase_if(self.observations, [&](const Observation& o) {
                return o.observer == Argument(args, 0) && o.keyPath == keyPath;
            });
            return MessageResult{};
        });
}

} // namespace

StringObject::StringObject(std::u16string text) : Object(FindClass("NSString")), text_(std::move(text)) {}

const char* StringObject::Utf8() const
{
    if (utf8_.empty() && !text_.empty()) utf8_ = Utf16ToUtf8(text_);
    return utf8_.c_str();
}

int64_t MakeString(const std::u16string& text)
{
    RegisterPlatformClasses();
    auto* string = new StringObject(text);
    Autorelease(string);
    return string->Handle();
}

int64_t MakeString(std::string_view utf8)
{
    return MakeString(Utf8ToUtf16(utf8));
}

std::u16string StringFromHandle(int64_t handle)
{
    auto* string = dynamic_cast<StringObject*>(ObjectFromHandle(handle));
    return string ? string->Text() : std::u16string();
}

DataObject::DataObject(const void* bytes, size_t size)
    : Object(FindClass("NSData")),
      bytes_(static_cast<const std::byte*>(bytes), static_cast<const std::byte*>(bytes) + (bytes ? size : 0))
{
}

int64_t MakeData(const void* bytes, size_t size)
{
    RegisterPlatformClasses();
    auto* data = new DataObject(bytes, size);
    Autorelease(data);
    return data->Handle();
}

const DataObject* DataFromHandle(int64_t handle)
{
    return dynamic_cast<const DataObject*>(ObjectFromHandle(handle));
}

DictionaryObject::DictionaryObject() : Object(FindClass("NSDictionary")) {}

void DictionaryObject::Set(const std::u16string& key, Object* value)
{
    entries_[key] = Ref<Object>(value);
}

Object* DictionaryObject::Get(const std::u16string& key) const
{
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second.get();
}

void RegisterPlatformClasses()
{
    if (FindClass("NSObject")) return;
    RegisterObjectClass();
    RegisterValueClasses();
    RegisterProcessClasses();
    RegisterApplicationClasses();
    RegisterWindowClasses();
    RegisterViewClasses();
    RegisterImageClass();
    RegisterFontClass();
    DefineClass("NSObject", "NSTimer");
    DefineClass("NSObject", "NSMenuItem");
    DefineClass("NSObject", "NSStatusItem");
    // Constants live for the whole run, like the platform's own.
    auto* newKey = new StringObject(u"new");
    newKey->MakePermanent();
    DefineConstant("NSKeyValueChangeNewKey", newKey->Handle());
}

int64_t SharedApplicationHandle()
{
    RegisterPlatformClasses();
    if (!sharedApp) {
        sharedApp = new ApplicationObject(FindClass("NSApplication"));
        sharedApp->MakePermanent();
    }
    return sharedApp->Handle();
}

void NotifyAppearanceObservers()
{
    if (!sharedApp) return;
    // Observers may remove themselves while being told.
    std::vector<Observation> observations = sharedApp->observations;
    for (const Observation& o : observations) {
        if (o.keyPath != u"effectiveAppearance") continue;
        Ref<DictionaryObject> change = Ref<DictionaryObject>::Adopt(new DictionaryObject());
        if (o.options & 1) {
            Ref<Object> appearance =
                Ref<Object>::Adopt(new AppearanceObject(FindClass("NSAppearance"), IsDarkAppearance()));
            change->Set(StringFromHandle(LookupConstant("NSKeyValueChangeNewKey")), appearance.get());
        }
        const int64_t args[] = {MakeString(o.keyPath), sharedApp->Handle(), change->Handle(), o.context};
        MessageResult ignored;
        SendMessage(o.observer, "observeValueForKeyPath:ofObject:change:context:", args, ignored);
    }
}

} // namespace nevalon::platform
