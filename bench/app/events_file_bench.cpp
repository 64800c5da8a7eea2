// Loads and saves an events file of 100,000 lines with ReadEventsFile and SaveEvents, against a plain
// std::getline parser into a vector and an std::ofstream writer of the same format. Both keep titles in
// UTF-16 as the program does, and both saves replace the file only once the new one is on the disk
// (write beside it, fsync, rename). Prints the median, the minimum and the maximum of 9 runs of each, taken
// in turn: "load OURS-MEDIAN MIN MAX REFERENCE-MEDIAN MIN MAX", the same for "save".
#include "app/AppState.h"
#include "app/EventStore.h"
#include "runtime/system/strings/Strings.h"
#include "support/ProcessClock.h"
#include "support/ReferenceUtf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace nevalon;

namespace {

constexpr int kLines = 100000;
constexpr int kRuns = 9;

struct Record {
    std::u16string title;
    int64_t numbers[7];
};

void WriteSample(const std::string& path)
{
    std::ofstream file(path, std::ios::binary);
    const char* titles[] = {"Dentist", "Caf\xC3\xA9 with Ana", "Trip to M\xC3\xBCnchen", "Rent \xE2\x82\xAC",
                            "Birthday \xF0\x9F\x8E\x82"};
    for (int i = 0; i < kLines; ++i)
        file << titles[i % 5] << ' ' << i << '|' << 1800000000 + int64_t{i} * 61 << "|0|" << i % 7 << '|'
             << i % 7 << "|0|" << i % 2 << "|0\n";
}

std::vector<Record> ReferenceLoad(const std::string& path)
{
    std::vector<Record> records;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        Record record{};
        size_t start = 0, bar = line.find('|');
        record.title = bench::ReferenceFromUtf8(line.substr(0, bar));
        for (int64_t& number : record.numbers) {
            start = bar == std::string::npos ? line.size() : bar + 1;
            bar = line.find('|', start);
            number = std::strtoll(line.c_str() + start, nullptr, 10);
        }
        records.push_back(std::move(record));
    }
    return records;
}

void AppendUtf8(std::string& out, const std::u16string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

void ReferenceSave(const std::vector<Record>& records, const std::string& path)
{
    const std::string temporary = path + ".saving";
    {
        std::ofstream file(temporary, std::ios::binary);
        std::string line;
        for (const Record& record : records) {
            line.clear();
            AppendUtf8(line, record.title);
            for (int64_t number : record.numbers)
                line += '|' + std::to_string(number);
            line += '\n';
            file << line;
        }
    }
    const int descriptor = open(temporary.c_str(), O_RDONLY);
    fsync(descriptor);
    close(descriptor);
    std::rename(temporary.c_str(), path.c_str());
}

struct Spread {
    double median, least, most;
};

Spread SpreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

// Runs the two in turn, so that a busy moment of a shared machine falls on both alike; the processor time
// in ms (waiting for the disk or for a processor is not counted).
std::pair<Spread, Spread> Milliseconds(const std::function<void()>& ours,
                                       const std::function<void()>& reference)
{
    std::vector<double> oursTimes, referenceTimes;
    for (int run = 0; run < kRuns; ++run) {
        for (auto [work, times] : {std::pair{&ours, &oursTimes}, std::pair{&reference, &referenceTimes}}) {
            const double start = bench::Now();
            (*work)();
            times->push_back(bench::Since(start) * 1000);
        }
    }
    return {SpreadOf(oursTimes), SpreadOf(referenceTimes)};
}

} // namespace

int main()
{
    char pattern[] = "/tmp/nevalon-events-bench-XXXXXX";
    const int descriptor = mkstemp(pattern);
    if (descriptor < 0) return 1;
    close(descriptor);
    const std::string path = pattern;
    const std::string copy = path + ".reference";
    WriteSample(path);
    WriteSample(copy);

    app::State().EventsFilePath = system::StringFromUtf8(path);
    std::vector<Record> records = ReferenceLoad(copy); // brings both into the page cache
    app::ReadEventsFile();
    const auto [ourLoad, bareLoad] =
        Milliseconds([] { app::ReadEventsFile(); }, [&] { records = ReferenceLoad(copy); });
    const auto [ourSave, bareSave] =
        Milliseconds([] { (void)app::SaveEvents(); }, [&] { ReferenceSave(records, copy); });
    const int64_t loaded = app::State().Events.CountElements();
    app::ReadEventsFile();
    const bool same = app::State().Events.CountElements() == loaded && loaded == kLines &&
                      static_cast<int64_t>(records.size()) == loaded;
    std::remove(path.c_str());
    std::remove(copy.c_str());
    if (!same) {
        std::fprintf(stderr, "the program read %lld records, the reference %zu\n",
                     static_cast<long long>(loaded), records.size());
        return 1;
    }
    for (auto [name, ours, reference] :
         {std::tuple{"load", ourLoad, bareLoad}, std::tuple{"save", ourSave, bareSave}})
        std::printf("%s %.1f %.1f %.1f %.1f %.1f %.1f\n", name, ours.median, ours.least, ours.most,
                    reference.median, reference.least, reference.most);
    return 0;
}
