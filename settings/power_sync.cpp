// PowerClass: the minute number, path test and file copy of the
// synchronization.

#include <cstdint>

#include "platform/file_times.h"
#include "settings/power_class.h"
#include "sync/safe_copy.h"

namespace varnholt {

std::int32_t PowerClass::DateToMinutes(const std::wstring& year, const std::wstring& month,
                                       const std::wstring& day, const std::wstring& hour,
                                       const std::wstring& minute) {
    const std::int32_t y = TextToInt(year);
    const std::int32_t m = TextToInt(month);
    // Unsigned arithmetic wraps in 32 bits like the stored number does,
    // without the undefined behaviour of a signed overflow.
    std::uint32_t days = 0;
    for (std::int32_t each = 2000; each < y; ++each) {
        days += each % 4 == 0 ? 366u : 365u;
    }
    for (std::int32_t each = 1; each < m; ++each) {
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
    days += static_cast<std::uint32_t>(TextToInt(day));
    std::uint32_t hourMinutes = 60u * static_cast<std::uint32_t>(TextToInt(hour));
    return static_cast<std::int32_t>(days * 1440u + hourMinutes +
                                     static_cast<std::uint32_t>(TextToInt(minute)));
}

bool PowerClass::PathExists(const std::wstring& path) {
    return QueryFileStatus(path).exists;
}

int PowerClass::ShellCopyFile(const std::wstring& from, const std::wstring& to) {
    if (PathExists(from)) {
        SafeCopyFile(from, to);
    }
    return 0;
}

} // namespace varnholt
