// Dates around every change of the UTC offset of every zone of the system's time-zone database, against
// expectations built only from localtime_r's offsets and gmtime_r's calendar.

#include "TimeZoneScope.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

namespace nevalon::date {
namespace {

using testing::TimeZoneScope;

int64_t OffsetAt(int64_t unixSeconds)
{
    const auto t = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

std::tm Civil(int64_t seconds)
{
    const auto t = static_cast<std::time_t>(seconds);
    std::tm civil{};
    gmtime_r(&t, &civil);
    return civil;
}

Date Make(const std::tm& c)
{
    return MakeDate(c.tm_year + 1900, c.tm_mon + 1, c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec);
}

TEST(TimeZones, ASkippedWallClockMovesForwardWhateverCameBefore)
{
    TimeZoneScope kathmandu("Asia/Kathmandu"); // +05:30 until 1986, then +05:45
    const Date first = MakeDate(1986, 1, 1, 0, 0, 0);
    EXPECT_EQ(first, MakeDate(1986, 1, 1, 0, 15, 0));
    MakeDate(1980, 1, 1, 0, 0, 0);
    EXPECT_EQ(MakeDate(1986, 1, 1, 0, 0, 0), first);

    TimeZoneScope dublin("Europe/Dublin"); // its summer time is the standard one, and winter the saving
    const Date skipped = MakeDate(2025, 3, 30, 1, 30, 0);
    EXPECT_EQ(DateHour(skipped), 2);
    EXPECT_EQ(DateMinute(skipped), 30);

    // Summer time that ends at 20:00 one evening and starts again at 02:00 the next morning.
    TimeZoneScope twice("STD-1DST-2,J81/2,J80/20");
    EXPECT_EQ(MakeDate(2025, 3, 22, 2, 30, 0), MakeDate(2025, 3, 22, 3, 30, 0));
    EXPECT_EQ(DateHour(testing::CivilSeconds(2025, 3, 22, 2, 30)), 3);
    const auto repeated = DateToInstant(MakeDate(2025, 3, 21, 19, 30, 0));
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->time_since_epoch().count(), testing::CivilSeconds(2025, 3, 21, 17, 30));
}

std::vector<std::string> AllZones()
{
    const std::filesystem::path root = "/usr/share/zoneinfo";
    std::vector<std::string> zones;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto name = entry.path().lexically_relative(root).string();
        if (name.starts_with("posix") || name.starts_with("right") || !entry.is_regular_file() ||
            entry.is_symlink()) {
            continue;
        }
        char magic[4] = {};
        std::ifstream(entry.path(), std::ios::binary).read(magic, 4);
        if (std::string_view(magic, 4) == "TZif") zones.push_back(name);
    }
    return zones;
}

// The seconds at which the offset changes in [from, to): stepped through a day at a time (the database
// keeps days between changes), then bisected to the second.
std::vector<int64_t> Changes(int64_t from, int64_t to)
{
    std::vector<int64_t> changes;
    for (int64_t at = from, offset = OffsetAt(from); at < to;) {
        const int64_t next = std::min(at + 86400, to);
        if (OffsetAt(next) == offset) {
            at = next;
            continue;
        }
        int64_t low = at, high = next;
        while (high - low > 1) {
            const int64_t mid = low + (high - low) / 2;
            (OffsetAt(mid) == offset ? low : high) = mid;
        }
        changes.push_back(at = high);
        offset = OffsetAt(high);
    }
    return changes;
}

// Around a change, wall clocks just before, inside and at the end of the skipped or repeated stretch.
void CheckChange(int64_t change)
{
    const int64_t before = OffsetAt(change - 1), after = OffsetAt(change);
    const int64_t low = change + std::min(before, after), high = change + std::max(before, after);
    for (const int64_t wall : {low - 1, low, low + (high - low) / 2, high - 1, high}) {
        const int64_t shown = after > before && wall >= low && wall < high ? wall + after - before : wall;
        const std::tm expected = Civil(shown);
        int32_t y, m, d, h, i, s;
        ASSERT_TRUE(DateParts(wall, y, m, d, h, i, s));
        ASSERT_EQ(Make(Civil(wall)), shown) << "made from " << wall << " at change " << change;
        ASSERT_EQ((std::array{y, m, d, h, i, s}),
                  (std::array{expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday,
                              expected.tm_hour, expected.tm_min, expected.tm_sec}))
            << "read from " << wall << " at change " << change;
        const auto instant = DateToInstant(wall);
        ASSERT_TRUE(instant);
        ASSERT_EQ(instant->time_since_epoch().count(), wall - (wall < high ? before : after)) << wall;
    }
}

TEST(TimeZones, EveryZoneMovesOnlySkippedWallClocksAndReadsRepeatedOnesAtTheirFirstInstant)
{
    const auto zones = AllZones();
    size_t changes = 0;
    for (const auto& zone : zones) {
        SCOPED_TRACE(zone);
        TimeZoneScope scope(zone.c_str());
        EXPECT_EQ(MakeDate(1970, 1, 1, 0, 0, 0), 0);
        EXPECT_EQ(MakeDate(2000, 1, 1, 0, 0, 0), 946684800);
        EXPECT_EQ(MakeDate(1601, 1, 1, 0, 0, 0), kFirstDate);
        EXPECT_EQ(MakeDate(9999, 12, 31, 23, 59, 59), kLastDate);
        for (const int64_t change : Changes(0, testing::CivilSeconds(2038, 1, 1))) {
            CheckChange(change);
            if (HasFatalFailure()) return;
            ++changes;
        }
    }
    RecordProperty("zones", static_cast<int>(zones.size()));
    RecordProperty("changes", static_cast<int>(changes));
    std::cout << zones.size() << " zones, " << changes << " changes\n";
}

} // namespace
} // namespace nevalon::date
