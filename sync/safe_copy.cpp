#include "sync/safe_copy.h"

#include "platform/fail_safe_write.h"
#include "platform/file_times.h"
#include "sync/compared_time.h"

namespace varnholt {

CopyOutcome SafeCopyFile(const std::wstring& from, const std::wstring& to,
                         const CopyDecidedOn* decidedOn) {
    // A target without a folder part has nowhere to put its temporary file.
    const std::size_t slash = to.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) {
        return {CopyResult::Failed, FileFault::FolderInTheWay};
    }
    if (to.size() >= kMaxStatusPathLength) {
        return {CopyResult::Failed, FileFault::PathTooLong};
    }
    CopyOutcome changed;
    const auto lastLook = [&] {
        const FileStatus source = QueryFileStatus(from);
        if (!source.exists || source.isFolder) {
            changed = {CopyResult::Skipped}; // gone meanwhile: nothing to tell
        } else if (source.lastWrite != decidedOn->source.lastWrite ||
                   source.size != decidedOn->source.size) {
            changed = {CopyResult::Failed, FileFault::Changed};
        } else if (QueryFileStatus(to) != decidedOn->target) {
            changed = {CopyResult::Skipped};
        }
        return changed.result == CopyResult::Copied;
    };
    const ReplaceFailure failure = ReplaceFailSafe(
        to, [&from](const std::wstring& temporary) { return CopyToNewFile(from, temporary); },
        decidedOn != nullptr ? std::function<bool()>(lastLook) : std::function<bool()>());
    if (failure.fault == FileFault::None) {
        return {CopyResult::Copied};
    }
    if (failure.step == ReplaceStep::LastLook) {
        return changed;
    }
    // The usual case costs no status query: what went wrong is looked into
    // only when something did.
    if (failure.step == ReplaceStep::MakingNewFile) {
        const FileStatus source = QueryFileStatus(from);
        if (!source.exists || source.isFolder) {
            return {CopyResult::Skipped}; // gone since it was listed
        }
    }
    if (QueryFileStatus(to).isFolder) {
        return {CopyResult::Failed, FileFault::FolderInTheWay};
    }
    // The source is there, so a missing file is none a person could act on.
    if (failure.step == ReplaceStep::MakingNewFile && failure.fault == FileFault::Missing) {
        return {CopyResult::Failed, FileFault::Other};
    }
    return {CopyResult::Failed, failure.fault};
}

} // namespace varnholt
