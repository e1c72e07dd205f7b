#include "app/sync_command.h"

#include <chrono>
#include <cwctype>

#include "app/copy_failures_message.h"
#include "base/errors.h"
#include "framework/single_instance.h"
#include "i18n/text_ids.h"
#include "platform/file_times.h"
#include "platform/program_path.h"
#include "schedule/autostart.h"
#include "settings/config_file.h"
#include "sync/folder_list_value.h"
#include "sync/run_log.h"
#include "sync/sync_run.h"

namespace varnholt {

namespace {

std::wstring Folded(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

} // namespace

CommandLineAction ActionOf(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) {
        return CommandLineAction::Window;
    }
    const std::wstring first = Folded(arguments.front());
    if (first == L"/sync") {
        return CommandLineAction::Sync;
    }
    if (first == L"/?") {
        return CommandLineAction::Usage;
    }
    return CommandLineAction::Window;
}

namespace {

// How long a run from the command line waits for shares to answer: it keeps
// no window answering, and each run is a process of its own, so a share that
// wakes slowly (a sleeping NAS) would be given up on at every run.
constexpr std::chrono::seconds kCommandLineVolumeLimit{30};

int RunPairs() {
    const std::wstring folder = ProgramDirectory();
    // Two runs never work on the same folders at once; the window of a copy
    // that runs is left as it is.
    const InstanceClaim claim(kProgramFileName, folder, InstanceClaim::Kind::Windowless);
    if (!claim.Owned()) {
        return kSyncAlreadyRunning;
    }
    CStringArray first;
    CStringArray second;
    try {
        first = DecodeFolderListValue(ReadConfigValue(ConfigKeys::kFolders1));
        second = DecodeFolderListValue(ReadConfigValue(ConfigKeys::kFolders2));
    } catch (const Error&) {
        return kSyncCouldNotStart;
    }
    if (first.GetSize() != second.GetSize()) {
        return kSyncCouldNotStart;
    }
    // The log gives the causes in the user's language; without a readable
    // language file, in English.
    CTranslation translation;
    try {
        translation.LoadLanguage();
    } catch (const Error&) {
    }
    RunLog log(folder, RunStart::CommandLine, CurrentFileTime());
    RunCallbacks callbacks;
    callbacks.copied = [&log](const std::wstring& from, const std::wstring& to, bool back) {
        log.Copied(from, to, back);
    };
    callbacks.volumeAnswerLimit = kCommandLineVolumeLimit;
    // The lists were checked above, so the run raises only what stops it
    // midway (no memory, no thread): some files may be left uncopied.
    RunReport report;
    try {
        report = RunSynchronization(first, second, callbacks);
    } catch (...) {
        return kSyncSomeFailed;
    }
    // Each run is on its own: a pair left out is said every time.
    for (const std::wstring& absent : report.absentFolders) {
        log.PairSkipped(absent);
    }
    for (const CopyFailure& failure : report.failures) {
        log.Failed(failure.from, failure.to, CopyFailureCauseText(translation, failure.cause));
    }
    log.Finish(report.copied - report.copiedBack, report.copiedBack, report.failures.size(),
               CurrentFileTime());
    return report.failures.empty() ? kSyncAllCopied : kSyncSomeFailed;
}

} // namespace

int RunSyncCommand() noexcept {
    // No box may appear: whatever escapes ends the run with its code.
    try {
        return RunPairs();
    } catch (...) {
        return kSyncCouldNotStart;
    }
}

std::wstring UsageText(const CTranslation& translation) {
    return translation.GetTextOr(
        text::kCommandLineUsage,
        L"Varnholt.exe /sync runs every folder pair once, as Start Synchronization now! does, "
        L"without a window, and ends with exit code 0 when every file was copied, 1 when some "
        L"files could not be copied, 2 when the run could not start (config.ini missing or "
        L"unreadable, or its folder lists of unequal length), and 3 when Varnholt already runs "
        L"from this folder.");
}

} // namespace varnholt
