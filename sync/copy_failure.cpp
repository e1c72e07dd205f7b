#include "sync/copy_failure.h"

namespace varnholt {

bool CopyFailureCauseOf(const CopyOutcome& outcome, CopyFailureCause& cause) {
    switch (outcome.result) {
    case CopyResult::Copied:
    case CopyResult::SourceMissing:
    case CopyResult::TargetChanged:
    case CopyResult::NotNewer:
        return false;
    case CopyResult::SourceChanged:
        cause = CopyFailureCause::Changed;
        return true;
    case CopyResult::BadTarget:
        cause = CopyFailureCause::FolderInTheWay;
        return true;
    case CopyResult::CopyFailed:
    case CopyResult::ReplaceFailed:
        break;
    }
    switch (outcome.fault) {
    case FileFault::InUse:
        cause = CopyFailureCause::InUse;
        break;
    case FileFault::AccessDenied:
        cause = CopyFailureCause::AccessDenied;
        break;
    case FileFault::DiskFull:
        cause = CopyFailureCause::DiskFull;
        break;
    case FileFault::PathTooLong:
        cause = CopyFailureCause::PathTooLong;
        break;
    case FileFault::Incomplete:
        cause = CopyFailureCause::Incomplete;
        break;
    case FileFault::None:
    case FileFault::Missing:
    case FileFault::Exists:
    case FileFault::Other:
        cause = CopyFailureCause::Other;
        break;
    }
    return true;
}

} // namespace varnholt
