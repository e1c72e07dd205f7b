// PowerClass: the minute number, path test and file copy of the
// synchronization, forwarded to sync/ where they live.

#include <cstdint>

#include "platform/file_times.h"
#include "settings/power_class.h"
#include "sync/minute_number.h"
#include "sync/safe_copy.h"

namespace varnholt {

std::int32_t PowerClass::DateToMinutes(const std::wstring& year, const std::wstring& month,
                                       const std::wstring& day, const std::wstring& hour,
                                       const std::wstring& minute) {
    return MinuteNumber(TextToInt(year), TextToInt(month), TextToInt(day), TextToInt(hour),
                        TextToInt(minute));
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
