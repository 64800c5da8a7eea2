#include "platform/TextCase.h"

#include <QString>

namespace nevalon::platform {

std::u16string UpperCaseText(const std::u16string& text)
{
    return QString::fromStdU16String(text).toUpper().toStdU16String();
}

std::u16string LowerCaseText(const std::u16string& text)
{
    return QString::fromStdU16String(text).toLower().toStdU16String();
}

} // namespace nevalon::platform
