#include "sync/minute_number.h"

namespace varnholt {

namespace {

// The value of a number's decimal digits, its sign left out.
std::uint32_t Digits(std::int32_t value) {
    const auto magnitude = static_cast<std::uint32_t>(value);
    return value < 0 ? 0u - magnitude : magnitude;
}

} // namespace

std::int32_t MinuteNumber(std::int32_t year, std::int32_t month, std::int32_t day,
                          std::int32_t hour, std::int32_t minute) {
    const std::uint32_t y = Digits(year);
    const std::uint32_t m = Digits(month);
    // Unsigned arithmetic wraps in 32 bits like the stored number does,
    // without the undefined behaviour of a signed overflow.
    std::uint32_t days = 0;
    for (std::uint32_t each = 2000; each < y; ++each) {
        days += each % 4 == 0 ? 366u : 365u;
    }
    for (std::uint32_t each = 1; each < m; ++each) {
        switch (each) {
        case 4:
        case 6:
        case 9:
        case 11:
            days += 30u;
            break;
        case 2:
            days += y % 4 == 0 ? 29u : 28u;
            break;
        default:
            days += 31u;
            break;
        }
    }
    days += Digits(day);
    return static_cast<std::int32_t>(days * 1440u + 60u * Digits(hour) + Digits(minute));
}

} // namespace varnholt
