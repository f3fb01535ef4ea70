#pragma once
// Quantiles of timed samples, reported beside Google Benchmark's mean.
#include <vector>

// The sample at quantile `q` (0 to 1) of `sorted`, an ascending list; 0 when there is none.
inline double Quantile(const std::vector<double>& sorted, double q) {
    if (sorted.empty()) return 0;
    return sorted[static_cast<size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5)];
}
