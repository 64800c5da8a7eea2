// Stable sort of 1,000,000 records by a string field: SortListByField against std::list::sort and
// std::stable_sort on a vector of record pointers, all comparing titles with CompareStrings, and prints
// SortListByField time / reference time.
#include "runtime/system/containers/ListSort.h"
#include "support/ProcessClock.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <list>
#include <random>
#include <vector>

using namespace nevalon::system;

using nevalon::bench::Now;
using nevalon::bench::Since;

namespace {

constexpr int64_t kRecords = 1000000;
constexpr int kRuns = 3;

struct Record {
    String title;
    int64_t date;
    int64_t category;
    int64_t id;
};

// Titles of 8 to 20 letters with a shared prefix now and then, so that many comparisons look past the
// first unit, and a few repeated titles to exercise stability.
std::vector<String> MakeTitles()
{
    std::mt19937 random(2024);
    std::vector<String> titles;
    titles.reserve(kRecords);
    for (int64_t i = 0; i < kRecords; ++i) {
        if (i > 0 && random() % 16 == 0) {
            titles.push_back(titles[random() % titles.size()]);
            continue;
        }
        String title = random() % 4 == 0 ? String(u"Birthday ") : String();
        size_t length = 8 + random() % 13;
        while (title.size() < length)
            title.push_back(static_cast<char16_t>((random() % 2 ? u'a' : u'A') + random() % 26));
        titles.push_back(std::move(title));
    }
    return titles;
}

bool Less(const Record& a, const Record& b)
{
    return CompareStrings(a.title, b.title) < 0;
}

double SortList(const std::vector<String>& titles)
{
    List<Record> list(KindStructure);
    for (int64_t i = 0; i < kRecords; ++i) {
        Record* record = list.InsertElement();
        record->title = titles[i];
        record->id = i;
    }
    double start = Now();
    SortListByField(list, 0, &Record::title, KindString);
    return Since(start);
}

double SortStdList(const std::vector<String>& titles)
{
    std::list<Record> list;
    for (int64_t i = 0; i < kRecords; ++i)
        list.push_back(Record{titles[i], 0, 0, i});
    double start = Now();
    list.sort(Less);
    return Since(start);
}

double SortPointers(const std::vector<String>& titles)
{
    std::list<Record> records;
    std::vector<Record*> pointers;
    pointers.reserve(kRecords);
    for (int64_t i = 0; i < kRecords; ++i)
        pointers.push_back(&records.emplace_back(Record{titles[i], 0, 0, i}));
    double start = Now();
    std::stable_sort(pointers.begin(), pointers.end(),
                     [](const Record* a, const Record* b) { return Less(*a, *b); });
    return Since(start);
}

} // namespace

int main()
{
    std::vector<String> titles = MakeTitles();
    double mine = 1e9;
    double list = 1e9;
    double pointers = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        mine = std::min(mine, SortList(titles));
        list = std::min(list, SortStdList(titles));
        pointers = std::min(pointers, SortPointers(titles));
    }
    std::printf("%lld records by title, best of %d runs\n", static_cast<long long>(kRecords), kRuns);
    std::printf("SortListByField          %8.1f ms\n", mine * 1e3);
    std::printf("std::list::sort          %8.1f ms   ratio %.2f\n", list * 1e3, mine / list);
    std::printf("std::stable_sort (ptrs)  %8.1f ms   ratio %.2f\n", pointers * 1e3, mine / pointers);
    return 0;
}
