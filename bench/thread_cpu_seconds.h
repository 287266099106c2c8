// The CPU time of the calling thread, for benchmarks that time their work
// by hand (UseManualTime).
#pragma once

#include <time.h>

inline double ThreadCpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
