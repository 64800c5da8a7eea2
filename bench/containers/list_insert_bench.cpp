// Inserts 1,000,000 event-like records into a List, walks them with the cursor and destroys the list,
// against std::list doing the same, and prints List time / std::list time for each step. Destroying the
// list hands its emptied blocks back to the allocator, which returns them to the system (system time counts
// here); std::list's small nodes stay cached inside the allocator.
#include "runtime/system/containers/List.h"
#include "support/ProcessClock.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <list>

using namespace nevalon::system;

using nevalon::bench::Now;
using nevalon::bench::Since;

namespace {

constexpr int64_t kRecords = 1000000;
constexpr int kRuns = 7;

struct Record {
    String title;
    int64_t date;
    int64_t category;
    int64_t recurrence;
    int64_t titleGadget;
    int64_t countdownGadget;
};

struct Times {
    double insert = 1e9;
    double walk = 1e9;
    double destroy = 1e9;
};

volatile int64_t sink;

void RunList(Times& best)
{
    double start = Now();
    auto* list = new List<Record>(KindStructure);
    for (int64_t i = 0; i < kRecords; ++i) {
        Record* record = list->InsertElement();
        record->date = i;
        record->category = i % 7;
    }
    best.insert = std::min(best.insert, Since(start));

    start = Now();
    int64_t sum = 0;
    list->RewindList();
    while (Record* record = list->MoveNext())
        sum += record->date + record->category;
    best.walk = std::min(best.walk, Since(start));
    sink = sum;

    start = Now();
    delete list;
    best.destroy = std::min(best.destroy, Since(start));
}

void RunStdList(Times& best)
{
    double start = Now();
    auto* list = new std::list<Record>;
    for (int64_t i = 0; i < kRecords; ++i) {
        Record& record = list->emplace_back();
        record.date = i;
        record.category = i % 7;
    }
    best.insert = std::min(best.insert, Since(start));

    start = Now();
    int64_t sum = 0;
    for (const Record& record : *list)
        sum += record.date + record.category;
    best.walk = std::min(best.walk, Since(start));
    sink = sum;

    start = Now();
    delete list;
    best.destroy = std::min(best.destroy, Since(start));
}

void Print(const char* step, double mine, double reference)
{
    std::printf("%-8s List %8.2f ms   std::list %8.2f ms   ratio %.2f\n", step, mine * 1e3, reference * 1e3,
                mine / reference);
}

} // namespace

int main()
{
    Times mine;
    Times reference;
    for (int run = 0; run < kRuns; ++run) {
        RunList(mine);
        RunStdList(reference);
    }
    std::printf("%lld records, best of %d runs\n", static_cast<long long>(kRecords), kRuns);
    Print("insert", mine.insert, reference.insert);
    Print("walk", mine.walk, reference.walk);
    Print("destroy", mine.destroy, reference.destroy);
    Print("total", mine.insert + mine.walk + mine.destroy,
          reference.insert + reference.walk + reference.destroy);
    return 0;
}
