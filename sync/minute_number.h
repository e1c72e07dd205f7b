#pragma once
// The minute number that decides which of two files is newer: whole minutes
// of local time counted from 1 January 2000 (years before 2000 add nothing,
// so older dates compare only within their own year), in 32-bit arithmetic
// that wraps. Every year divisible by 4 is a leap year.

#include <cstdint>

namespace varnholt {

// The fields are read as the settings read numbers: by their decimal digits
// alone, so a field of -1 (a failed time conversion) counts as 1.
std::int32_t MinuteNumber(std::int32_t year, std::int32_t month, std::int32_t day,
                          std::int32_t hour, std::int32_t minute);

} // namespace varnholt
