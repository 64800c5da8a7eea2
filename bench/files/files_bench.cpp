// Reads a 50 MB UTF-8 file of short lines with ReadLine and with std::getline on an std::ifstream plus a
// plain UTF-8 to UTF-16 conversion, and prints ReadLine time / reference time.
#include "runtime/system/files/Files.h"
#include "runtime/system/strings/Strings.h"
#include "support/ReferenceUtf8.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

using namespace nevalon::system;

using nevalon::bench::ReferenceFromUtf8;

namespace {

constexpr int64_t kFileBytes = 50 * 1000 * 1000;
constexpr int kRuns = 3;

// Short lines, mostly ASCII, every fourth one with accented letters, a euro sign or an emoji.
void WriteSample(const std::string& path)
{
    std::ofstream file(path, std::ios::binary);
    const char* extras[] = {"", " caf\xC3\xA9", "", " 5 \xE2\x82\xAC", "", "", " \xF0\x9F\x8E\x82", ""};
    int64_t written = 0;
    for (int64_t i = 0; written < kFileBytes; ++i) {
        std::string line = "Event " + std::to_string(i) + "|" + std::to_string(1700000000 + i * 61) + "|" +
                           std::to_string(i % 7) + extras[i % 8] + "\n";
        file << line;
        written += static_cast<int64_t>(line.size());
    }
}

int64_t WithReadLine(const String& path)
{
    int64_t units = 0;
    if (!OpenFileReadOnly(0, path)) return -1;
    while (!AtEndOfFile(0))
        units += static_cast<int64_t>(ReadLine(0).size()) + 1;
    CloseFile(0);
    return units;
}

int64_t WithGetline(const std::string& path)
{
    int64_t units = 0;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        units += static_cast<int64_t>(ReferenceFromUtf8(line).size()) + 1;
    return units;
}

double BestSeconds(const std::function<int64_t()>& work, int64_t& check)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        check = work();
        std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

} // namespace

int main()
{
    char pattern[] = "/tmp/nevalon-files-bench-XXXXXX";
    int descriptor = mkstemp(pattern);
    if (descriptor < 0) return 1;
    close(descriptor);
    const std::string path = pattern;
    WriteSample(path);

    int64_t libraryUnits = 0;
    int64_t referenceUnits = 0;
    WithGetline(path); // brings the file into the page cache for both
    const double reference = BestSeconds([&] { return WithGetline(path); }, referenceUnits);
    const double library = BestSeconds([&] { return WithReadLine(StringFromUtf8(path)); }, libraryUnits);
    std::remove(path.c_str());

    if (libraryUnits != referenceUnits) {
        std::printf("ReadLine read %lld units, the reference %lld\n", static_cast<long long>(libraryUnits),
                    static_cast<long long>(referenceUnits));
        return 1;
    }
    std::printf("ReadLine over %lld MB of short UTF-8 lines: %.1f ms, std::getline + UTF-16: %.1f ms, "
                "ratio %.2f (goal <= 1.5)\n",
                static_cast<long long>(kFileBytes / 1000000), library * 1000, reference * 1000,
                library / reference);
    return 0;
}
