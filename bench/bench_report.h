// Printing, timing and memory figures for the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

// Each line is "bench <name> <value> <unit>"; the Windows builds add "_win32"
// or "_win64" to every name so the builds' figures can sit side by side.
inline void report(const char* name, double value, const char* unit) {
#if defined(_WIN64)
    std::printf("bench %s_win64 %.3f %s\n", name, value, unit);
#elif defined(_WIN32)
    std::printf("bench %s_win32 %.3f %s\n", name, value, unit);
#else
    std::printf("bench %s %.3f %s\n", name, value, unit);
#endif
    std::fflush(stdout);
}

inline double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The run times of `repeats` calls of run(); before() runs untimed ahead
// of each call.
template <class Before, class Run>
std::vector<double> runTimesMs(int repeats, Before before, Run run) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        before();
        const double start = nowMs();
        run();
        times.push_back(nowMs() - start);
    }
    return times;
}

template <class Before, class Run>
double medianMs(int repeats, Before before, Run run) {
    return median(runTimesMs(repeats, before, run));
}

// The median times of two kinds of run taken in turns, each first every
// other time, so that a slow spell of the machine weighs on both alike.
template <class BeforeA, class RunA, class BeforeB, class RunB>
std::pair<double, double> medianMsInTurns(int repeats, BeforeA beforeA, RunA runA, BeforeB beforeB,
                                          RunB runB) {
    std::vector<double> a, b;
    for (int i = 0; i < repeats; ++i) {
        if (i % 2) b.push_back(runTimesMs(1, beforeB, runB)[0]);
        a.push_back(runTimesMs(1, beforeA, runA)[0]);
        if (i % 2 == 0) b.push_back(runTimesMs(1, beforeB, runB)[0]);
    }
    return {median(a), median(b)};
}

// The process's peak resident memory so far, in megabytes.
inline double peakRssMb() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    double kb = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
    }
    std::fclose(status);
    return kb / 1024.0;
#endif
}
