// The message bridge: any message and pieces are taken apart without harm, the selector is the pieces
// joined, and a message sent to the probe class or object (or to a number that is no object) reaches
// at most the probe and writes no further than the result it was given.
#include "FuzzInput.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"
#include "runtime/gui/PlatformMessage.h"

#include <array>
#include <vector>

namespace {

using namespace nevalon;

constexpr const char* kProbeClass = "BridgeFuzzProbe";

// A class of its own answers every selector of the form the fuzzer builds most: it returns as many
// bytes as its first argument asks for (up to 32), so that results of every size reach the caller.
int64_t Probe()
{
    static const int64_t probe = [] {
        platform::RegisterPlatformClasses();
        platform::Class* cls = platform::AllocateClass("NSObject", kProbeClass);
        for (const char* selector : {"a", "a:", "a:b:", "a:b:c:", "count", "take:"}) {
            auto answer = [](platform::Object*, platform::MessageArgs args) {
                platform::MessageResult result;
                result.size = static_cast<size_t>(platform::Argument(args, 0)) % (result.bytes.size() + 1);
                result.bytes.fill(std::byte{0x5A});
                return result;
            };
            cls->AddMethod(selector, "", answer);
            cls->AddClassMethod(selector, answer);
        }
        platform::RegisterClass(cls);
        const int64_t handle = gui::PlatformMessage(nullptr, 0, std::string(kProbeClass) + " new");
        // A fuzzed "release" must not take the receiver away from the inputs after it.
        platform::ObjectFromHandle(handle)->MakePermanent();
        return handle;
    }();
    return probe;
}

gui::BridgeValue ValueOf(fuzz::FuzzInput& input)
{
    switch (input.Byte() % 5) {
    case 0:
        return gui::BridgeValue(input.Integer());
    case 1:
        return gui::BridgeValue(std::string(input.Piece()));
    case 2: {
        const std::string_view piece = input.Piece();
        return gui::BridgeValue(std::u16string(piece.begin(), piece.end()));
    }
    case 3:
        return gui::BridgeValue(gui::BridgeBytes::Of(input.Integer()));
    default:
        return gui::BridgeValue(nullptr);
    }
}

// The message to the receiver the input picks, with its rest spelled out for the initializer list.
int64_t Send(gui::BridgeResult result, int64_t object, const gui::BridgeValue& message,
             const std::vector<gui::BridgeValue>& rest)
{
    switch (rest.size()) {
    case 0:
        return gui::PlatformMessage(result, object, message);
    case 1:
        return gui::PlatformMessage(result, object, message, {rest[0]});
    case 2:
        return gui::PlatformMessage(result, object, message, {rest[0], rest[1]});
    case 3:
        return gui::PlatformMessage(result, object, message, {rest[0], rest[1], rest[2]});
    case 4:
        return gui::PlatformMessage(result, object, message, {rest[0], rest[1], rest[2], rest[3]});
    default:
        return gui::PlatformMessage(result, object, message, {rest[0], rest[1], rest[2], rest[3], rest[4]});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int64_t probe = Probe();
    fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    const int64_t object = choice % 3 == 0 ? 0 : choice % 3 == 1 ? probe : input.Integer();
    const size_t resultSize = input.Byte() % 40;
    const gui::BridgeValue message = ValueOf(input);
    std::vector<gui::BridgeValue> rest;
    while (!input.Empty() && rest.size() < 5)
        rest.push_back(ValueOf(input));

    gui::BridgeCall call;
    if (!gui::ParsePlatformMessage(object, message, rest, call)) return 0;
    fuzz::Require(call.arguments.size() <= rest.size() / 2 + 1);
    // Only the probe may receive: the platform's own classes would open windows or write settings.
    // "new" makes an object its caller owns; the count of live objects below would miss it.
    if (object == 0 && (platform::Utf16ToUtf8(call.className) != kProbeClass || call.selector == u"new"))
        return 0;
    if (object != 0 && object != probe && platform::ObjectFromHandle(object)) return 0;

    const int64_t live = platform::LiveObjectCount();
    std::vector<unsigned char> memory(resultSize + 8, 0xEE);
    Send(gui::BridgeResult(resultSize ? memory.data() : nullptr, resultSize), object, message, rest);
    for (size_t i = resultSize; i < memory.size(); ++i)
        fuzz::Require(memory[i] == 0xEE);
    platform::DrainAutoreleasePool();
    fuzz::Require(platform::LiveObjectCount() == live);
    return 0;
}
