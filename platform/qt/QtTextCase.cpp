#include "platform/TextCase.h"
#include "platform/qt/QtDrivers.h"

#include <QString>

namespace nevalon::platform {

std::u16string QtTextDriver::UpperCaseText(const std::u16string& text) const
{
    return QString::fromStdU16String(text).toUpper().toStdU16String();
}

std::u16string QtTextDriver::LowerCaseText(const std::u16string& text) const
{
    return QString::fromStdU16String(text).toLower().toStdU16String();
}

std::u16string QtTextDriver::Utf8ToUtf16(std::string_view utf8) const
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

std::string QtTextDriver::Utf16ToUtf8(std::u16string_view text) const
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace nevalon::platform
