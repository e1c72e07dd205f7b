#include "schedule/interval.h"
#include "base/text_numbers.h"

namespace varnholt {

IntervalFields SplitInterval(std::int32_t totalMinutes) {
    return IntervalFields{std::to_wstring(totalMinutes / 1440),
                          std::to_wstring((totalMinutes % 1440) / 60),
                          std::to_wstring(totalMinutes % 60)};
}

std::int32_t IntervalMinutes(const std::wstring& days, const std::wstring& hours,
                             const std::wstring& minutes) {
    // Unsigned arithmetic wraps without undefined behaviour.
    const auto d = static_cast<std::uint32_t>(TextToInt(days));
    const auto h = static_cast<std::uint32_t>(TextToInt(hours));
    const auto m = static_cast<std::uint32_t>(TextToInt(minutes));
    return static_cast<std::int32_t>(m + 60u * h + 1440u * d);
}

} // namespace varnholt
