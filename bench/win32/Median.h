// The middle of a benchmark's timings: one slow run under Wine must not move the result.
#pragma once

#include <algorithm>
#include <vector>

namespace vt::bench {

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace vt::bench
