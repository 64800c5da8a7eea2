// Times GetField, CountSubstring and a UTF-8 round trip over a 100,000-line text against plain
// std::u16string code doing the same work, and prints library time / reference time.
#include "runtime/system/strings/Strings.h"
#include "support/ReferenceUtf8.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace nevalon::system;

using nevalon::bench::ReferenceFromUtf8;

namespace {

constexpr int kLines = 100000;
constexpr int kFields = 8;
constexpr int kRuns = 5;

String ReferenceGetField(const String& text, int64_t index, const String& separator)
{
    size_t begin = 0;
    for (int64_t field = 1; field < index; ++field) {
        size_t at = text.find(separator, begin);
        if (at == String::npos) return String();
        begin = at + separator.size();
    }
    size_t end = text.find(separator, begin);
    return text.substr(begin, end == String::npos ? String::npos : end - begin);
}

int64_t ReferenceCount(const String& text, const String& what)
{
    int64_t count = 0;
    for (size_t at = text.find(what); at != String::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

std::string ReferenceToUtf8(const String& text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | c >> 18));
            out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// Lines shaped like the event data file: eight "|"-separated fields with some non-ASCII text.
std::vector<String> MakeLines()
{
    std::vector<String> lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i) {
        String n = IntegerToString(i);
        lines.push_back(u"Caf\xE9 trip " + n + u" \xD83D\xDE00|" + IntegerToString(1700000000 + i * 61) +
                        u"|" + IntegerToString(i % 7) + u"|" + IntegerToString(i % 5) + u"||0|" + n +
                        u"|\x20AC end");
    }
    return lines;
}

double BestMilliseconds(const std::function<int64_t()>& work, int64_t& check)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        check = work();
        std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

double Report(const char* name, const std::function<int64_t()>& library,
              const std::function<int64_t()>& reference)
{
    int64_t libraryCheck = 0;
    int64_t referenceCheck = 0;
    double referenceMs = BestMilliseconds(reference, referenceCheck);
    double libraryMs = BestMilliseconds(library, libraryCheck);
    double ratio = libraryMs / referenceMs;
    std::printf("%-22s library %8.2f ms  reference %8.2f ms  ratio %.2f%s\n", name, libraryMs, referenceMs,
                ratio, libraryCheck == referenceCheck ? "" : "  (results differ!)");
    return ratio;
}

} // namespace

int main()
{
    InitStrings();
    std::vector<String> lines = MakeLines();
    String text;
    for (const String& line : lines)
        text += line + u"\n";
    std::printf("%d lines, %zu units\n", kLines, text.size());

    const String bar = u"|";
    const String pair = u"|0";
    double worst = 0;
    worst = std::max(worst, Report(
                                "GetField",
                                [&] {
                                    int64_t sum = 0;
                                    for (const String& line : lines)
                                        for (int f = 1; f <= kFields + 1; ++f)
                                            sum += StringLength(GetField(line, f, bar));
                                    return sum;
                                },
                                [&] {
                                    int64_t sum = 0;
                                    for (const String& line : lines)
                                        for (int f = 1; f <= kFields + 1; ++f)
                                            sum +=
                                                static_cast<int64_t>(ReferenceGetField(line, f, bar).size());
                                    return sum;
                                }));
    worst = std::max(worst, Report(
                                "CountSubstring",
                                [&] { return CountSubstring(text, bar) + CountSubstring(text, pair); },
                                [&] { return ReferenceCount(text, bar) + ReferenceCount(text, pair); }));
    worst = std::max(
        worst, Report(
                   "UTF-8 round trip",
                   [&] {
                       std::string bytes = StringToUtf8(text);
                       return StringLength(StringFromBytes(bytes.c_str(), -1, FormatUtf8));
                   },
                   [&] { return static_cast<int64_t>(ReferenceFromUtf8(ReferenceToUtf8(text)).size()); }));
    std::printf("worst ratio %.2f (goal: at most 1.20)\n", worst);
    EndStrings();
    return 0;
}
