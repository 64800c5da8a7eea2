#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace nevalon::date::testing {

// Puts the process in the given TZ zone for the scope, then back in the one it was in.
struct TimeZoneScope {
    explicit TimeZoneScope(const std::string& zone)
    {
        if (const char* old = std::getenv("TZ")) previous = old;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~TimeZoneScope()
    {
        previous ? setenv("TZ", previous->c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    std::optional<std::string> previous;
};

// Seconds from 1970-01-01 00:00:00 to the given civil time, by the proleptic Gregorian calendar of <chrono>.
inline int64_t CivilSeconds(int y, unsigned m, unsigned d, int h = 0, int i = 0, int s = 0)
{
    using namespace std::chrono;
    return sys_days{year{y} / m / d}.time_since_epoch().count() * int64_t{86400} + h * 3600 + i * 60 + s;
}

} // namespace nevalon::date::testing
