#pragma once

#include <ctime>

namespace nevalon::bench {

// Processor time of this process, so that other work on a shared machine counts less.
double Now()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Since(double start)
{
    return Now() - start;
}

} // namespace nevalon::bench
