#pragma once
// A file a run could not copy, with the reason a person is told.

#include <string>

#include "sync/safe_copy.h"

namespace varnholt {

enum class CopyFailureCause {
    InUse,          // another program holds the file open
    AccessDenied,   // no permission, or a read-only folder or medium
    DiskFull,       // no room left on the target's disk
    FolderInTheWay, // a folder stands where the file should go
    PathTooLong,    // the target path is too long
    Incomplete,     // reading or writing stopped short of the whole file
    Changed,        // the source changed while it was copied
    Other,
};

struct CopyFailure {
    std::wstring from;
    std::wstring to;
    CopyFailureCause cause = CopyFailureCause::Other;
};

// The cause of a copy that did not happen; false when there is nothing to
// report (it was copied, the source is gone since it was listed, or the
// target changed or is no longer older: the next run decides again).
bool CopyFailureCauseOf(const CopyOutcome& outcome, CopyFailureCause& cause);

} // namespace varnholt
