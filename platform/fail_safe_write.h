#pragma once
// The one way the program replaces a file, the settings file and every copy
// of a run alike: the new content is written to a temporary file beside the
// target and written through to the disk, and only then put in place of the
// target in one rename. Whatever fails, and even after a power cut or a kill
// at any moment, the target holds either its whole old or its whole new
// content; a failure removes the temporary file again. (The one exception
// is a folder that allows no new file beside the target: see
// WriteFileFailSafe.)
//
// Temporary files
//   Name: "~vh-PPPPPPPP-SSSS.tmp" beside the target, where PPPPPPPP is the id
//   of the writing process and SSSS a counter of that process, both in
//   lower-case hex. The name does not depend on the target's name, so it
//   stays short; when the folder's path makes it 260 characters or longer,
//   it is reached through the long-path form.
//   The folder scan never lists such a file. One left behind by a kill or a
//   power cut is removed by a later write beside it (the settings file), or
//   by a later scan of its folder, once no process with the id in its name
//   runs on this machine (a running instance, this one included, may still
//   be writing it; when that cannot be told, it counts as running) and it has
//   not changed for the given age (its change time moves with every write).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/new_files.h"

namespace varnholt {

// "~vh-PPPPPPPP-SSSS.tmp"
std::wstring MakeTemporaryName(std::uint32_t processId, std::uint32_t counter);

// True when `name` is a name of MakeTemporaryName; its process id is then
// stored in *processId when that is given.
bool IsTemporaryName(std::wstring_view name, std::uint32_t* processId = nullptr);

// A scan leaves a temporary file alone for a day: another machine may be
// writing it into a shared folder, and its process ids mean nothing here.
inline constexpr std::int64_t kAbandonedTemporaryAge = 24LL * 60 * 60 * 10000000; // FILETIME ticks

// Removes the temporary file at `path` (named `name`) when it is abandoned by
// the rules above: its process is gone and it has not changed for `minimumAge`
// (FILETIME ticks) at the time `now`. True when removed.
bool RemoveAbandonedTemporary(const std::wstring& path, const std::wstring& name, std::int64_t now,
                              std::int64_t minimumAge);

enum class ReplaceStep {
    MakingNewFile, // the temporary file could not be made
    LastLook,      // it was made, but the last look said not to replace the target
    Replacing,     // it was made, but could not take the target's place
};

struct ReplaceFailure {
    FileFault fault = FileFault::None; // None: it worked
    ReplaceStep step = ReplaceStep::MakingNewFile;
};

// Makes the temporary file beside `target` with `makeNewFile(temporaryPath)`
// (WriteNewFile or CopyToNewFile) and puts it in place of `target`. When
// `lastLook` is given, it is asked once the temporary file is complete, just
// before it would take the target's place (after the test seam below): false
// removes the temporary file and leaves the target as it is, and the result
// is {FileFault::Other, ReplaceStep::LastLook}.
ReplaceFailure ReplaceFailSafe(const std::wstring& target,
                               const std::function<FileFault(const std::wstring&)>& makeNewFile,
                               const std::function<bool()>& lastLook = {});

// `bytes` as the whole new content of `target`. Temporary files abandoned by
// processes that no longer run are removed from the folder afterwards.
// Where the folder refuses new files (access denied) but the target itself
// is writable, the content is written in place instead (OverwriteFile): the
// only way left, without the guarantee against a kill in mid-write.
// Raises FileError (naming `target`) when it fails.
void WriteFileFailSafe(const std::wstring& target, const std::string& bytes);

// Test seam: called when a temporary file is complete, just before it is to
// replace its target. A fault it returns ends the write there, as a failed
// replacement would (tests lock the target or make the write fail as on a
// full disk). An empty function switches it off.
using BeforeReplace =
    std::function<FileFault(const std::wstring& temporary, const std::wstring& target)>;
void SetBeforeReplaceForTesting(BeforeReplace seam);

} // namespace varnholt
