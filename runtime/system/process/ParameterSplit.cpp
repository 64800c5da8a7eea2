#include "runtime/system/process/ParameterSplit.h"

namespace nevalon::system {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

std::vector<std::string> SplitParameters(std::string_view parameters)
{
    std::vector<std::string> tokens;
    size_t at = 0;
    const size_t end = parameters.size();
    while (true) {
        while (at < end && IsBlank(parameters[at]))
            ++at;
        if (at == end) break;
        if (parameters[at] == '"') {
            const size_t first = at + 1;
            size_t last = parameters.find('"', first);
            if (last == std::string_view::npos) {
                // An unclosed quote keeps to its own line rather than swallowing the lines below it.
                last = parameters.find('\n', first);
                if (last == std::string_view::npos) last = end;
                tokens.emplace_back(parameters.substr(first, last - first));
                at = last;
            } else {
                tokens.emplace_back(parameters.substr(first, last - first));
                at = last + 1;
            }
        } else {
            const size_t first = at;
            while (at < end && !IsBlank(parameters[at]))
                ++at;
            tokens.emplace_back(parameters.substr(first, at - first));
        }
    }
    return tokens;
}

} // namespace nevalon::system
