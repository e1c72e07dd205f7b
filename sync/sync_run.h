#pragma once
// A synchronization run: two passes over all folder pairs, first every first
// folder into its second folder, then every second folder back into its
// first. In each pass and for each pair, every file below the source folder
// is compared with its counterpart at the same place below the target
// folder, and copied over it when its last-modification minute (local time)
// is later; a missing counterpart counts as last changed at the start of
// 1970. Nothing is deleted; empty folders are not reproduced.
//
// The run lists each folder once and finds from the listings the files to
// copy; a second pass that follows a first one without copies uses the same
// listings. Each copy looks at both files again just before it is made and
// is made only when the rule still asks for it (sync/file_compare.h), so a
// file saved after its folder was listed is never replaced by an older one.
// Where a pair's target folder lies inside its source folder, the scan of the
// source leaves the target out (sync/nested_folders.h); a pair of one folder
// under two names copies nothing. The copies of one pair run several at a
// time and the pass waits for all of them before it goes on; threads never
// outlive a copy step, and every callback is made on the caller's thread. An
// error a callback raises ends the run: no further copy starts, the copies
// under way end, and the error reaches the caller.
//
// Before the passes, the run asks once whether each folder's volume is there
// (sync/volume_check.h: a few seconds at most, the caller's messages going on
// meanwhile). A pair with a folder on an absent volume is left out of both
// passes: not an error, and no copy is tried.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "base/string_array.h"
#include "sync/copy_failure.h"
#include "sync/volume_check.h"

namespace varnholt {

enum class RunStep {
    PassStarts,      // a pass begins
    ScanningFolders, // a pair's folders are being listed and compared
    CopyingFiles,    // the pair's newer files are being copied
};

struct RunCallbacks {
    // Each step, in the order the run takes them.
    std::function<void(RunStep)> step;
    // Files copied (or failed) out of the files to copy in the current pass
    // so far; the total grows as the pass reaches further pairs.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Called at least every few hundredths of a second while the run works:
    // the caller lets waiting messages through there.
    std::function<void()> idle;
    // Each file copied, as its copy is counted: `back` for the second pass
    // (second folders into first).
    std::function<void(const std::wstring& from, const std::wstring& to, bool back)> copied;
    // A pair left out of a pass because the volume of `folder` is absent.
    std::function<void(const std::wstring& folder)> pairSkipped;
    // How long the run waits for the volumes to answer before it gives up
    // on a share; a caller with no window to keep answering may wait longer.
    std::chrono::milliseconds volumeAnswerLimit = kVolumeAnswerLimit;
};

struct RunReport {
    std::size_t copied = 0;
    std::size_t copiedBack = 0;        // of those, copied by the second pass
    std::size_t compared = 0;          // files compared, both passes together
    std::vector<CopyFailure> failures; // in the order the copies were made
    // Folders whose volume was absent (a drive or medium that is out, a
    // share the network does not find or that did not answer in time):
    // their pairs were left out, with no copy tried and nothing failed.
    std::vector<std::wstring> absentFolders;
};

// Runs both passes over the pairs (folder entries, "\..." at the end).
// Raises InvalidArgumentError before any file is touched when the second
// list is shorter than the first.
RunReport RunSynchronization(const CStringArray& folders1, const CStringArray& folders2,
                             const RunCallbacks& callbacks);

} // namespace varnholt
