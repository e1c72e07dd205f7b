#include "sync/file_compare.h"

#include <string>

#include "settings/power_class.h"
#include "sync/safe_copy.h"

namespace varnholt {

LocalFields SyncClock::LocalFieldsOf(std::int64_t fileTime) const {
    return m_zone.ToLocal(fileTime);
}

std::int32_t SyncClock::MinuteNumber(std::int64_t fileTime) const {
    LocalFields f = LocalFieldsOf(fileTime);
    return PowerClass::DateToMinutes(std::to_wstring(f.year), std::to_wstring(f.month),
                                     std::to_wstring(f.day), std::to_wstring(f.hour),
                                     std::to_wstring(f.minute));
}

bool SyncFile(const std::wstring& from, const std::wstring& to, const SyncClock& clock) {
    if (to.empty()) {
        return false;
    }
    std::int32_t minuteFrom = clock.MinuteNumber(QueryFileStatus(from).lastWrite);
    std::int32_t minuteTo = clock.MinuteNumber(QueryFileStatus(to).lastWrite);
    if (minuteFrom <= minuteTo) {
        return false;
    }
    return SafeCopyFile(from, to) == CopyResult::Copied;
}

} // namespace varnholt
