#pragma once
// Quantiles of timed samples, reported beside Google Benchmark's mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The sample at quantile `q` (0 to 1) of `sorted`, an ascending list; 0 when there is none.
inline double Quantile(const std::vector<double>& sorted, double q) {
    if (sorted.empty()) return 0;
    return sorted[static_cast<size_t>(std::lround(q * static_cast<double>(sorted.size() - 1)))];
}

// Sorts wall and processor times (ms) and reports each named quantile of both: the counters
// "<wallPrefix><name>_ms" and "cpu_<name>_ms".
inline void ReportTimes(benchmark::State& state, const std::string& wallPrefix, std::vector<double>& wallMs,
                        std::vector<double>& cpuMs,
                        std::initializer_list<std::pair<const char*, double>> quantiles) {
    std::sort(wallMs.begin(), wallMs.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    for (const auto& [name, q] : quantiles) {
        state.counters[wallPrefix + name + "_ms"] = Quantile(wallMs, q);
        state.counters[std::string("cpu_") + name + "_ms"] = Quantile(cpuMs, q);
    }
}
