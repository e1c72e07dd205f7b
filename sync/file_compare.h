#pragma once
// Comparing two files by the minute of their last change, in local time, and
// copying the newer one over the other.

#include <cstdint>
#include <string>

#include "platform/file_times.h"
#include "sync/safe_copy.h"

namespace varnholt {

// The local time zone of one run: read once when the clock is made, then
// applied to every file time with the daylight-saving rule of its date.
class SyncClock {
public:
    SyncClock() = default;

    // Local calendar fields; year 0, month 0, day 0, hour -1, minute -1 when
    // the time cannot be converted.
    LocalFields LocalFieldsOf(std::int64_t fileTime) const;

    // PowerClass::DateToMinutes of the five fields, each formatted as "%d".
    std::int32_t MinuteNumber(std::int64_t fileTime) const;

private:
    LocalTimeZone m_zone;
};

// True when the minute number of `fromTime` is greater than that of
// `toTime`: the one rule that decides every copy.
bool IsNewer(std::int64_t fromTime, std::int64_t toTime, const SyncClock& clock);

// The copy a run decided from its folder listings, made at the last moment:
// both files are looked at again (one status query each), and `from` is
// copied over `to` only when `to` is still as `listedTarget` says (it
// exists or not, with the same time) and the rule still finds `from` newer;
// the safe copy then checks both once more before its file takes the
// target's place. A target that changed since it was listed is left alone,
// and so is one that is no longer older (both Skipped).
CopyOutcome CopyIfStillNewer(const std::wstring& from, const std::wstring& to,
                             const FileStatus& listedTarget, const SyncClock& clock);

// Compares the last-modification minutes of `from` and `to` (a missing file,
// and a path of 260 characters or more, count as changed at 1 January 1970
// 00:00 UTC) and, when `from`'s is later, copies it over `to` with the safe
// copy (sync/safe_copy.h). True when the file was copied; `outcome` (may be
// null) then tells how a copy that was tried went. An empty `to` (no target
// folder) copies nothing.
bool SyncFile(const std::wstring& from, const std::wstring& to, const SyncClock& clock,
              CopyOutcome* outcome = nullptr);

} // namespace varnholt
