#pragma once
// Copying one file over another without ever leaving a partial file in
// place of a good one.
//
// A copy that opened the existing target and wrote into it would, when it
// fails halfway (disk full, a read error), leave the target cut short, and
// with the source's modification time, so later runs would think the pair is
// in step. Instead the copy is a fail-safe write (platform/fail_safe_write.h):
// the file is copied to a temporary file in the target's folder (the folders
// missing on the way are made), checked (it must be as long as the source is
// when the copy ends), given the source's alternate streams (the mark of a
// downloaded file; see platform/alternate_streams.h), modification time and
// attributes, written through to the disk, and then put in place of the
// target in one rename (a read-only target included), keeping the target's
// own permissions (platform/new_files.h, ReplaceFileWith). Any failure
// deletes the temporary file, leaves the target as it was, and says why.
//
// Given what both files looked like when the copy was decided, the copy
// looks at them once more when its temporary file is complete, just before
// it would take the target's place: a source whose time or size moved since
// (it changed while it was copied) or a target that is no longer as it was
// (saved meanwhile) leaves the target as it is, and the temporary file goes.
//
// A target path of 260 characters or more is refused (the status query
// counts such a path as missing, so it could never be seen in step). A
// shorter target whose temporary name would pass that length is still
// copied: the temporary file is reached through the long-path form.

#include <string>

#include "platform/file_times.h"
#include "platform/new_files.h"

namespace varnholt {

enum class CopyResult {
    Copied,  // the target now holds the source's content and time
    Skipped, // no copy is due after all, and nothing to report: the source
             // is gone (or is a folder), the target changed after the copy
             // was decided, or the source is no longer the newer file; the
             // next run decides again
    Failed,  // the copy did not happen, for the fault given
};

struct CopyOutcome {
    CopyResult result = CopyResult::Copied;
    // Why a copy failed: FolderInTheWay for a target path that names a
    // folder (or no folder part), Changed for a source that changed while it
    // was copied, PathTooLong for a target path that is too long, else the
    // fault of the step that failed.
    FileFault fault = FileFault::None;
};

// Both files as they were when the copy was decided (QueryFileStatus).
struct CopyDecidedOn {
    FileStatus source;
    FileStatus target;
};

// Copies `from` over `to` as described above; with `decidedOn`, only while
// both files are still as it says. Never raises. Safe to call from several
// threads at once.
CopyOutcome SafeCopyFile(const std::wstring& from, const std::wstring& to,
                         const CopyDecidedOn* decidedOn = nullptr);

} // namespace varnholt
