#include "sync/file_compare.h"

#include <string>

#include "sync/compared_time.h"
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
    // Equal times have equal minutes: a pair in step, the usual case, needs
    // no conversion to local time (two per file and pass otherwise).
    if (fromTime == toTime) {
        return false;
    }
    return clock.MinuteNumber(fromTime) > clock.MinuteNumber(toTime);
}

namespace {

// The rule applied to both files as they are now, and the copy it asks for.
CopyOutcome CopyWhenNewer(const std::wstring& from, const std::wstring& to,
                          const CopyDecidedOn& now, const SyncClock& clock) {
    if (!now.source.exists || now.source.isFolder) {
        return {CopyResult::Skipped};
    }
    if (!IsNewer(ComparedTime(from.size(), now.source.exists, now.source.lastWrite),
                 ComparedTime(to.size(), now.target.exists, now.target.lastWrite), clock)) {
        return {CopyResult::Skipped};
    }
    return SafeCopyFile(from, to, &now);
}

} // namespace

CopyOutcome CopyIfStillNewer(const std::wstring& from, const std::wstring& to,
                             const FileStatus& listedTarget, const SyncClock& clock) {
    const CopyDecidedOn now{QueryFileStatus(from), QueryFileStatus(to)};
    // A target path too long to take part was never looked up.
    if (to.size() < kMaxStatusPathLength && (now.target.exists != listedTarget.exists ||
                                             now.target.lastWrite != listedTarget.lastWrite)) {
        return {CopyResult::Skipped};
    }
    return CopyWhenNewer(from, to, now, clock);
}

bool SyncFile(const std::wstring& from, const std::wstring& to, const SyncClock& clock,
              CopyOutcome* outcome) {
    if (to.empty()) {
        return false;
    }
    const CopyOutcome copy =
        CopyWhenNewer(from, to, {QueryFileStatus(from), QueryFileStatus(to)}, clock);
    if (copy.result == CopyResult::Skipped) {
        return false;
    }
    if (outcome != nullptr) {
        *outcome = copy;
    }
    return copy.result == CopyResult::Copied;
}

} // namespace varnholt
