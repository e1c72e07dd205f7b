#pragma once
// The program's command line. Without arguments, or with ones it does not
// know, it opens its window as always. "/sync" runs every folder pair once
// without a window, for Task Scheduler and scripts: both passes, the same
// decisions and fail-safe copies as "Start Synchronization now!", the run
// written to the run log, and an exit code that tells how it went. "/?"
// shows how to use it.

#include <string>
#include <vector>

#include "i18n/translation.h"

namespace varnholt {

enum class CommandLineAction { Window, Sync, Usage };

// From the arguments after the program's name; letter case is ignored.
CommandLineAction ActionOf(const std::vector<std::wstring>& arguments);

// The exit codes of "/sync".
inline constexpr int kSyncAllCopied = 0;      // every copy worked (or none was due)
inline constexpr int kSyncSomeFailed = 1;     // some files could not be copied
inline constexpr int kSyncCouldNotStart = 2;  // config.ini missing or unreadable, lists unequal
inline constexpr int kSyncAlreadyRunning = 3; // a copy of the program runs from this folder

// Runs every pair of the program folder's config.ini once, as above, and
// returns its exit code. Opens no window and shows nothing; when a copy of
// the program already runs from the folder it does nothing at all. A window
// started from the folder meanwhile waits until the run has ended. A pair
// whose drive or share is not there is left out and noted in the run log.
int RunSyncCommand() noexcept;

// The usage text "/?" shows, in the user's language (English when the
// language file lacks it).
std::wstring UsageText(const CTranslation& translation);

} // namespace varnholt
