#pragma once
// The interval between automatic runs, in whole minutes, and its three edit
// field texts (days, hours, minutes).

#include <cstdint>
#include <string>

namespace varnholt {

struct IntervalFields {
    std::wstring days;
    std::wstring hours;
    std::wstring minutes;
};

// days = n / 1440, hours = (n % 1440) / 60, minutes = n % 60, each as "%d"
// writes it (integer division, so a negative n gives negative parts).
IntervalFields SplitInterval(std::int32_t totalMinutes);

// minutes + 60 * hours + 1440 * days, each field read with TextToInt, in
// 32-bit arithmetic that wraps.
std::int32_t IntervalMinutes(const std::wstring& days, const std::wstring& hours,
                             const std::wstring& minutes);

} // namespace varnholt
