#include "platform/TextDriver.h"

#include "platform/Backend.h"
#include "platform/Font.h"
#include "platform/Foundation.h"
#include "platform/TextCase.h"

namespace nevalon::platform {
namespace {

TextDriver& Driver()
{
    return LinkedBackend().text;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    return Driver().Utf8ToUtf16(utf8);
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    return Driver().Utf16ToUtf8(text);
}

std::u16string UpperCaseText(const std::u16string& text)
{
    return Driver().UpperCaseText(text);
}

std::u16string LowerCaseText(const std::u16string& text)
{
    return Driver().LowerCaseText(text);
}

Font* CreateFont(const std::u16string& family, double pointSize, bool bold, bool italic)
{
    return Driver().CreateFont(family, pointSize, bold, italic);
}

TextExtent MeasureText(const std::u16string& text, const Font* font)
{
    return Driver().MeasureText(text, font);
}

std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width, int height,
                                        double left, double top)
{
    return Driver().RenderTextCoverage(text, font, width, height, left, top);
}

} // namespace nevalon::platform
