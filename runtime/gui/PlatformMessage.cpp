#include "runtime/gui/PlatformMessage.h"

#include "platform/Class.h"
#include "platform/Foundation.h"

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

int64_t PlatformMessage(BridgeResult result, int64_t object, const BridgeValue& message,
                        std::initializer_list<BridgeValue> rest)
{
    if (!IsText(message)) return 0;
    std::u16string first = TextOf(message);
    std::u16string className;
    if (object == 0) {
        size_t space = first.find(u' ');
        if (space == std::u16string::npos) return 0;
        className = first.substr(0, space);
        first = first.substr(space + 1);
    }

    std::vector<std::u16string> pieces{first};
    std::vector<const BridgeValue*> values;
    size_t i = 0;
    for (const BridgeValue& v : rest) {
        if (i++ % 2 == 0)
            values.push_back(&v);
        else
            pieces.push_back(TextOf(v));
    }

    std::u16string selector;
    std::vector<char16_t> markers;
    for (std::u16string& piece : pieces) {
        char16_t marker = 0;
        if (!piece.empty() && (piece.back() == u'$' || piece.back() == u'@')) {
            marker = piece.back();
            piece.pop_back();
        }
        markers.push_back(marker);
        selector += piece;
    }
    size_t count = pieces.size() - (!selector.empty() && selector.back() == u':' ? 0 : 1);
    std::vector<int64_t> args;
    for (size_t a = 0; a < count; ++a)
        args.push_back(a < values.size() ? Convert(*values[a], markers[a]) : 0);

    std::string selector8 = platform::Utf16ToUtf8(selector);
    platform::MessageResult answer;
    bool answered =
        object == 0 ? platform::SendClassMessage(platform::Utf16ToUtf8(className), selector8, args, answer)
                    : platform::SendMessage(object, selector8, args, answer);
    if (!answered) return 0;
    if (!result.bytes) return answer.AsInteger();
    std::memcpy(result.bytes, answer.bytes.data(), std::min(answer.size, result.size));
    return 0;
}

} // namespace nevalon::gui
