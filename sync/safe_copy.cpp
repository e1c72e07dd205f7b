#include "sync/safe_copy.h"

#include "platform/fail_safe_write.h"
#include "platform/file_times.h"

namespace varnholt {

CopyOutcome SafeCopyFile(const std::wstring& from, const std::wstring& to,
                         const CopyDecidedOn* decidedOn) {
    // A target without a folder part has nowhere to put its temporary file.
    const std::size_t slash = to.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) {
        return {CopyResult::BadTarget};
    }
    if (to.size() >= kMaxStatusPathLength) {
        return {CopyResult::CopyFailed, FileFault::PathTooLong};
    }
    CopyResult changed = CopyResult::Copied;
    const auto lastLook = [&] {
        const FileStatus source = QueryFileStatus(from);
        if (!source.exists || source.isFolder) {
            changed = CopyResult::SourceMissing; // gone meanwhile: nothing to tell
        } else if (source.lastWrite != decidedOn->source.lastWrite ||
                   source.size != decidedOn->source.size) {
            changed = CopyResult::SourceChanged;
        } else if (QueryFileStatus(to) != decidedOn->target) {
            changed = CopyResult::TargetChanged;
        }
        return changed == CopyResult::Copied;
    };
    const ReplaceFailure failure = ReplaceFailSafe(
        to, [&from](const std::wstring& temporary) { return CopyToNewFile(from, temporary); },
        decidedOn != nullptr ? std::function<bool()>(lastLook) : std::function<bool()>());
    if (failure.fault == FileFault::None) {
        return {CopyResult::Copied};
    }
    if (failure.step == ReplaceStep::LastLook) {
        return {changed};
    }
    // The usual case costs no status query: what went wrong is looked into
    // only when something did.
    if (failure.step == ReplaceStep::MakingNewFile) {
        const FileStatus source = QueryFileStatus(from);
        if (!source.exists || source.isFolder) {
            return {CopyResult::SourceMissing}; // gone since it was listed
        }
    }
    if (QueryFileStatus(to).isFolder) {
        return {CopyResult::BadTarget};
    }
    if (failure.step == ReplaceStep::MakingNewFile) {
        return {CopyResult::CopyFailed,
                failure.fault == FileFault::Missing ? FileFault::Other : failure.fault};
    }
    return {CopyResult::ReplaceFailed, failure.fault};
}

} // namespace varnholt
