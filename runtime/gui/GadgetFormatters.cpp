#include "runtime/gui/GadgetFormatters.h"

#include "platform/TextCase.h"

#include <algorithm>

namespace nevalon::gui {

std::optional<std::u16string>
KxMaximumLengthFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    if (static_cast<int64_t>(proposed.size()) > maxLength_) return std::nullopt;
    if (refused_ != 0 && proposed.find(refused_) != std::u16string::npos) return std::nullopt;
    return proposed;
}

std::optional<std::u16string> KxUpperCaseFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    if (!KxMaximumLengthFormatter::IsPartialStringValid(proposed)) return std::nullopt;
    return platform::UpperCaseText(proposed);
}

std::optional<std::u16string> KxLowerCaseFormatter::IsPartialStringValid(const std::u16string& proposed) const
{
    if (!KxMaximumLengthFormatter::IsPartialStringValid(proposed)) return std::nullopt;
    return platform::LowerCaseText(proposed);
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
