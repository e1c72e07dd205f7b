#include "sync/file_compare.h"

#include <string>

#include "sync/minute_number.h"
#include "sync/safe_copy.h"

namespace varnholt {

LocalFields SyncClock::LocalFieldsOf(std::int64_t fileTime) const {
    return m_zone.ToLocal(fileTime);
}

std::int32_t SyncClock::MinuteNumber(std::int64_t fileTime) const {
    const LocalFields f = LocalFieldsOf(fileTime);
    return ::varnholt::MinuteNumber(f.year, f.month, f.day, f.hour, f.minute);
}

bool IsNewer(std::int64_t fromTime, std::int64_t toTime, const SyncClock& clock) {
    return clock.MinuteNumber(fromTime) > clock.MinuteNumber(toTime);
}

bool SyncFile(const std::wstring& from, const std::wstring& to, const SyncClock& clock,
              CopyOutcome* outcome) {
    if (to.empty() ||
        !IsNewer(QueryFileStatus(from).lastWrite, QueryFileStatus(to).lastWrite, clock)) {
        return false;
    }
    const CopyOutcome copy = SafeCopyFile(from, to);
    if (outcome != nullptr) {
        *outcome = copy;
    }
    return copy.result == CopyResult::Copied;
}

} // namespace varnholt
