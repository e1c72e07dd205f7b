#pragma once
// The run log: Varnholt.log beside config.ini, UTF-8 with a byte-order mark
// (folder names need not be Latin-1), one CR LF line per event, each
// starting with its local date and time:
//
//     2026-12-09 11:30:01  copied first to second  C:\A\x.txt -> D:\B\x.txt
//     2026-12-09 11:30:02  not copied  C:\A\y.txt -> D:\B\y.txt  (The file is in use ...)
//     2026-12-09 11:30:00  run by hand: 3 copied first to second, 1 second to first, 1 not
//     copied, 2.1 s
//
// The lines of a run's files come as the run goes; its own line (when and
// how it started, what it copied each way, what failed, how long it took)
// closes them. A run that copies nothing and fails nothing writes nothing,
// not even an empty file. A log that has reached kRunLogLimit becomes
// Varnholt.old.log (one generation, replacing the one before) and a new one
// starts. Writing never raises: a log that cannot be written is left
// unwritten, and the run goes on as if there were none.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/append_file.h"
#include "sync/file_compare.h"

namespace varnholt {

inline constexpr wchar_t kRunLogFileName[] = L"Varnholt.log";
inline constexpr wchar_t kOldRunLogFileName[] = L"Varnholt.old.log";
inline constexpr std::uint64_t kRunLogLimit = 1024 * 1024;

enum class RunStart { ByHand, Timer, DriveArrival, CommandLine };

class RunLog {
public:
    // The log in `folder` (the program folder) of a run that started at
    // `startedAt` (a FILETIME count) as `how` says.
    RunLog(const std::wstring& folder, RunStart how, std::int64_t startedAt);

    void Copied(const std::wstring& from, const std::wstring& to, bool back) noexcept;
    void Failed(const std::wstring& from, const std::wstring& to,
                const std::wstring& cause) noexcept;
    // A line of its own that is not about a file (a pair's volume gone or
    // back); it does not call for the run's line.
    void Note(const std::wstring& text) noexcept;
    // The notes on a pair's folder whose volume is absent, or back again.
    void PairSkipped(const std::wstring& folder) noexcept;
    void PairBack(const std::wstring& folder) noexcept;
    // The run's own line, when it wrote a file's line; `endedAt` as
    // `startedAt`.
    void Finish(std::size_t copiedForward, std::size_t copiedBack, std::size_t failed,
                std::int64_t endedAt) noexcept;

private:
    bool OpenLog();
    void WriteLine(std::int64_t at, const std::wstring& text) noexcept;
    std::wstring Stamp(std::int64_t at) const;

    std::wstring m_path;
    std::wstring m_oldPath;
    RunStart m_how;
    std::int64_t m_startedAt;
    SyncClock m_clock;
    AppendFile m_file;
    bool m_wroteFiles = false;
    bool m_gaveUp = false;
    bool m_rotationFailed = false;
};

} // namespace varnholt
