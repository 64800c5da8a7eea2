#include "runtime/gui/GadgetFormatters.h"

#include "platform/TextCase.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>

namespace nevalon::gui {
namespace {

// A case change may lengthen the text ("ß" gives "SS"): the field keeps what fits, never half a pair
// of surrogates.
std::u16string CutToLength(std::u16string text, int32_t length)
{
    if (static_cast<int64_t>(text.size()) <= length) return text;
    size_t kept = static_cast<size_t>(std::max(length, 0));
    if (kept > 0 && text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF) --kept;
    text.resize(kept);
    return text;
}

} // namespace

std::optional<std::u16string>
KxMaximumLengthFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    if (static_cast<int64_t>(proposed.size()) > maxLength_) return std::nullopt;
    if (refused_ != 0 && proposed.find(refused_) != std::u16string::npos) return std::nullopt;
    // The field holds one line: a pasted line break, or any other control character, becomes a space.
    return system::SpacesForControlCharacters(proposed);
}

std::optional<std::u16string> KxUpperCaseFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    std::optional<std::u16string> shown = KxMaximumLengthFormatter::IsPartialStringValid(proposed);
    if (!shown) return std::nullopt;
    return CutToLength(platform::UpperCaseText(*shown), MaximumLength());
}

std::optional<std::u16string> KxLowerCaseFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    std::optional<std::u16string> shown = KxMaximumLengthFormatter::IsPartialStringValid(proposed);
    if (!shown) return std::nullopt;
    return CutToLength(platform::LowerCaseText(*shown), MaximumLength());
}

std::optional<std::u16string> KxNumericFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    if (!KxMaximumLengthFormatter::IsPartialStringValid(proposed)) return std::nullopt;
    bool digits =
        std::all_of(proposed.begin(), proposed.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!digits) return std::nullopt;
    return proposed;
}

} // namespace nevalon::gui
