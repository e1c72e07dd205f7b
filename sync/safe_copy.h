#pragma once
// Copying one file over another without ever leaving a partial file in
// place of a good one.
//
// A copy that opened the existing target and wrote into it would, when it
// fails halfway (disk full, a read error), leave the target cut short, and
// with the source's modification time, so later runs would think the pair is
// in step. Instead the file is copied to a temporary file in the target's
// folder, checked (it must be as long as the source is when the copy ends),
// given the source's modification time, written through to the disk, and
// then put in place of the target in one rename (a read-only target
// included), so that even a power cut leaves the target with its old or its
// new content. Any failure deletes the temporary file and leaves the target
// as it was, and says why (platform/file_copy.h).
//
// A target path of 260 characters or more is refused (the status query
// counts such a path as missing, so it could never be seen in step). A
// shorter target whose temporary name would pass that length is still
// copied: the temporary file is reached through the long-path form.
//
// Temporary files
//   Name: "~vh-PPPPPPPP-SSSS.tmp" in the target's folder, where PPPPPPPP is
//   the id of the copying process and SSSS a counter of that process, both
//   in lower-case hex. The name does not depend on the target's name, so it
//   stays short.
//   The folder scan never lists a file with such a name, so a temporary file
//   left behind by a crash or a power cut is never copied to the other side
//   as if it were the user's file.
//   Cleanup of leftovers: the scan removes such a file only when both
//     - no process with the id in its name runs on this machine (a running
//       instance, this one included, may still be writing it; when that
//       cannot be told, it counts as running), and
//     - the file has not changed for kAbandonedCopyAge (one day), by its
//       change time (NTFS change time, POSIX ctime), which every write and
//       every change of its times or attributes moves.
//   The second condition protects copies made by an instance on another
//   machine into a shared folder, whose process ids mean nothing here. A
//   leftover that is kept is simply skipped; it does no harm and is removed
//   by a later run. Even a wrong removal could only make that other copy
//   fail, with its target left as it was.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/file_copy.h"

namespace varnholt {

enum class CopyResult {
    Copied,        // the target now holds the source's content and time
    SourceMissing, // the source has no entry, or is a folder
    BadTarget,     // the target path names no folder, or names a folder
    CopyFailed,    // the copy to the temporary file failed or came out short
    ReplaceFailed, // the target could not be replaced (in use, no access)
};

struct CopyOutcome {
    CopyResult result = CopyResult::Copied;
    // Why a CopyFailed or ReplaceFailed happened (PathTooLong for a target
    // path that is too long).
    FileFault fault = FileFault::None;
};

// Called between the copy to the temporary file and the replacement of the
// target, with the temporary file's path. Tests use it to make the
// replacement fail at that point.
using BeforeReplaceHook = std::function<void(const std::wstring& temporaryPath)>;

// Copies `from` over `to` as described above. Creates the folders missing on
// the way to `to`. Never raises. Safe to call from several threads at once.
CopyOutcome SafeCopyFile(const std::wstring& from, const std::wstring& to,
                         const BeforeReplaceHook& beforeReplace = nullptr);

inline constexpr std::int64_t kAbandonedCopyAge = 24LL * 60 * 60 * 10000000; // in FILETIME ticks

// "~vh-PPPPPPPP-SSSS.tmp"
std::wstring MakeCopyTemporaryName(std::uint32_t processId, std::uint32_t counter);

// True when `name` is a temporary file name of MakeCopyTemporaryName; its
// process id is then stored in *processId when that is given.
bool IsCopyTemporaryName(const std::wstring& name, std::uint32_t* processId = nullptr);

// Removes the temporary file at `path` (whose name is `name`) when it is
// abandoned by the rules above, judged at the time `now`. True when removed.
bool RemoveAbandonedCopy(const std::wstring& path, const std::wstring& name, std::int64_t now);

} // namespace varnholt
