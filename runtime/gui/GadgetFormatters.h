#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

namespace nevalon::gui {

// Decides which edits of a string gadget stand. A string is its own value here, so the formatter only
// judges the text an edit would leave.
class KxMaximumLengthFormatter {
public:
    virtual ~KxMaximumLengthFormatter() = default;

    void SetMaximumLength(int32_t length) { maxLength_ = length; }
    int32_t MaximumLength() const { return maxLength_; }
    // A character no edit may bring in (0: none), for fields whose text ends up in a delimited record.
    void SetRefusedCharacter(char16_t c) { refused_ = c; }
    char16_t RefusedCharacter() const { return refused_; }

    // The text to show for an edit that would leave `proposed`: the proposal, a replacement, or nothing to
    // refuse the edit. Lengths count UTF-16 units.
    virtual std::optional<std::u16string> IsPartialStringValid(const std::u16string& proposed) const;

private:
    int32_t maxLength_ = std::numeric_limits<int32_t>::max();
    char16_t refused_ = 0;
};

// Shows what is typed in upper case.
class KxUpperCaseFormatter final : public KxMaximumLengthFormatter {
public:
    std::optional<std::u16string> IsPartialStringValid(const std::u16string& proposed) const override;
};

// Shows what is typed in lower case.
class KxLowerCaseFormatter final : public KxMaximumLengthFormatter {
public:
    std::optional<std::u16string> IsPartialStringValid(const std::u16string& proposed) const override;
};

// Takes the digits 0 to 9 only; an empty text is fine.
class KxNumericFormatter final : public KxMaximumLengthFormatter {
public:
    std::optional<std::u16string> IsPartialStringValid(const std::u16string& proposed) const override;
};

} // namespace nevalon::gui
