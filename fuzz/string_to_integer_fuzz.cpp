// Text to integer: any text converts without harm, and a number's own decimal text converts back to it.
#include "FuzzInput.h"
#include "runtime/system/strings/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon::system;
    nevalon::fuzz::FuzzInput input(data, size);
    const int64_t number = input.Integer();
    StringToInteger(StringFromUtf8(input.Rest()));
    nevalon::fuzz::Require(StringToInteger(IntegerToString(number)) == number);
    nevalon::fuzz::Require(StringToInteger(u" \t" + IntegerToString(number) + u"x") == number);
    return 0;
}
