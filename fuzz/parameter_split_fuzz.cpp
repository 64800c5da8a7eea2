// Splitting a program's parameters: any text splits without harm, into tokens taken whole from it.
#include "FuzzInput.h"
#include "runtime/system/process/ParameterSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon;
    fuzz::FuzzInput input(data, size);
    const std::string_view parameters = input.Rest();
    const std::vector<std::string> tokens = system::SplitParameters(parameters);
    size_t total = 0;
    for (const std::string& token : tokens) {
        fuzz::Require(parameters.find(token) != std::string_view::npos);
        total += token.size();
    }
    fuzz::Require(total <= parameters.size());
    fuzz::Require(tokens.size() <= parameters.size());
    return 0;
}
