#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace nevalon::date::testing {

// Puts the process in the given TZ database zone for the scope and restores the previous setting after.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZoneScope()
    {
        if (previous_) {
            setenv("TZ", previous_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TimeZoneScope(const TimeZoneScope&) = delete;
    TimeZoneScope& operator=(const TimeZoneScope&) = delete;

private:
    std::optional<std::string> previous_;
};

// The zones every zone-dependent behaviour is checked in: no offset, west, east with daylight saving,
// a quarter-hour offset, and a half-hour daylight-saving change.
inline constexpr const char* kZones[] = {"UTC", "America/New_York", "Europe/Berlin", "Asia/Kathmandu",
                                         "Australia/Lord_Howe"};

// Seconds from 1970-01-01 00:00:00 to the given civil time, by the proleptic Gregorian calendar of <chrono>.
inline int64_t CivilSeconds(int y, unsigned m, unsigned d, int h = 0, int i = 0, int s = 0)
{
    using namespace std::chrono;
    const sys_days day{year{y} / month{m} / std::chrono::day{d}};
    return day.time_since_epoch().count() * 86400 + h * 3600 + i * 60 + s;
}

} // namespace nevalon::date::testing
