#include "runtime/gui/PlatformMessage.h"

#include "platform/Class.h"
#include "platform/Foundation.h"
#include "runtime/system/strings/StringBytes.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace nevalon::gui {
namespace {

std::u16string Latin1(const std::string& bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (unsigned char c : bytes)
        text.push_back(c);
    return text;
}

std::u16string TextOf(const BridgeValue& v)
{
    if (v.kind == BridgeValue::Kind::Text16) return v.text16;
    if (v.kind == BridgeValue::Kind::Text8) return Latin1(v.text8);
    return {};
}

bool IsText(const BridgeValue& v)
{
    return v.kind == BridgeValue::Kind::Text16 || v.kind == BridgeValue::Kind::Text8;
}

// Texts and bytes reach the receiver as platform objects, never as addresses it could read past.
int64_t Convert(const BridgeValue& argument, char16_t marker)
{
    switch (argument.kind) {
    case BridgeValue::Kind::Integer:
        return marker == u'@' ? 0 : argument.integer;
    case BridgeValue::Kind::Text8:
    case BridgeValue::Kind::Text16:
        return marker == u'$' ? platform::MakeString(TextOf(argument)) : 0;
    case BridgeValue::Kind::Bytes:
        return marker == u'@' ? platform::MakeData(argument.bytes, argument.size) : 0;
    case BridgeValue::Kind::Nil:
        return 0;
    }
    return 0;
}

} // namespace

bool ParsePlatformMessage(int64_t object, const BridgeValue& message, std::span<const BridgeValue> rest,
                          BridgeCall& call)
{
    call = {};
    if (!IsText(message)) return false;
    std::u16string first = TextOf(message);
    if (object == 0) {
        size_t space = first.find(u' ');
        if (space == std::u16string::npos) return false;
        call.className = first.substr(0, space);
        first = first.substr(space + 1);
    }

    std::vector<std::u16string> pieces{first};
    std::vector<const BridgeValue*> values;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (i % 2 == 0)
            values.push_back(&rest[i]);
        else
            pieces.push_back(TextOf(rest[i]));
    }

    std::vector<char16_t> markers;
    for (std::u16string& piece : pieces) {
        char16_t marker = 0;
        if (!piece.empty() && (piece.back() == u'$' || piece.back() == u'@')) {
            marker = piece.back();
            piece.pop_back();
        }
        markers.push_back(marker);
        call.selector += piece;
    }
    const size_t count = pieces.size() - (!call.selector.empty() && call.selector.back() == u':' ? 0 : 1);
    for (size_t a = 0; a < count; ++a)
        call.arguments.emplace_back(a < values.size() ? values[a] : nullptr, markers[a]);
    return true;
}

int64_t PlatformMessage(BridgeResult result, int64_t object, const BridgeValue& message,
                        std::initializer_list<BridgeValue> rest)
{
    BridgeCall call;
    if (!ParsePlatformMessage(object, message, {rest.begin(), rest.size()}, call)) return 0;
    std::vector<int64_t> args;
    for (const auto& [value, marker] : call.arguments)
        args.push_back(value ? Convert(*value, marker) : 0);

    std::string selector8 = system::StringToUtf8(call.selector);
    platform::MessageResult answer;
    bool answered = object == 0 ? platform::SendClassMessage(system::StringToUtf8(call.className), selector8,
                                                             args, answer)
                                : platform::SendMessage(object, selector8, args, answer);
    if (!answered) return 0;
    if (!result.bytes) return answer.AsInteger();
    std::memcpy(result.bytes, answer.bytes.data(), std::min(answer.size, result.size));
    return 0;
}

} // namespace nevalon::gui
