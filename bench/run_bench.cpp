// Times the synchronization run (sync/sync_run.h), without a window.
//
//   varnholt_bench <program folder> [repeats] [--parts]
//   varnholt_bench --hold
//
// The program folder holds config.ini, whose Folders1 and Folders2 name
// the pairs, read as the main window reads them. The run is made `repeats`
// times (default 1), with the callbacks the window would get (the steps and
// the progress are counted, waiting messages are let through). Output, one
// line each, read by bench/bench.py:
//   open <seconds>                     reading the pairs from config.ini
//   pairs <n>
//   run <seconds> listed <n> copied <n>   one run; files compared (both passes),
//                                         files copied
//   memory rest <bytes> peak <bytes>   the process's working set just before
//                                      the run, and its peak working set when
//                                      the run has returned (the peak since the
//                                      process started; the run is its largest
//                                      part, so take one repeat per process)
//   idle longest <seconds> at <start|run|end> calls <n>
//                                      the longest time the run went without
//                                      calling its idle callback (where the
//                                      window lets its messages through): from
//                                      the call of the run to the first call,
//                                      between two calls, or from the last
//                                      call to the run's return
//   alive <seconds>                    from process creation to the end
// --parts times, instead of the run, the two halves of its work on the same
// pairs without the window: the scans of both folders of every pair, then
// the comparison (and copy, where one is due) of every listed file:
//   scan <seconds> listed <n>
//   compare <seconds> copied <n>
// Exit code 0, or 1 with a message on standard error.
//
// --hold keeps a small window open until the process is ended. Wine's desktop
// process (explorer.exe /desktop) quits shortly after the last window of the
// session closes, so without a holder each timed program would start a new
// one first, which added about 1.5 s to every start here (and once hung the
// new program for good). A real desktop is always there.

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/errors.h"
#include "bench/stopwatch.h"
#include "platform/program_path.h"
#include "settings/power_class.h"
#include "sync/file_compare.h"
#include "sync/folder_list_value.h"
#include "sync/folder_scan.h"
#include "sync/run_paths.h"
#include "sync/sync_run.h"

namespace {

using varnholt::bench::Stopwatch;

// Time since the process was created, by the system clock.
double SecondsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return -1.0;
    }
    ::GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 1e7;
}

struct Memory {
    std::size_t workingSet = 0;
    std::size_t peak = 0;
};

Memory ReadMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) {
        return {};
    }
    return {counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

// The longest stretch of the run without a call of its idle callback. The
// time spent inside the callback (letting messages through) is not a gap.
class IdleGaps {
public:
    explicit IdleGaps(const Stopwatch& clock) : m_clock(clock), m_lastEnd(clock.Seconds()) {}

    template <typename Work> void Call(Work work) {
        Note(m_calls == 0 ? L"start" : L"run");
        ++m_calls;
        work();
        m_lastEnd = m_clock.Seconds();
    }
    void End() { Note(m_calls == 0 ? L"start" : L"end"); }

    double Longest() const noexcept { return m_longest; }
    const wchar_t* Where() const noexcept { return m_where; }
    std::size_t Calls() const noexcept { return m_calls; }

private:
    void Note(const wchar_t* where) {
        const double gap = m_clock.Seconds() - m_lastEnd;
        if (gap > m_longest) {
            m_longest = gap;
            m_where = where;
        }
    }

    const Stopwatch& m_clock;
    double m_lastEnd;
    double m_longest = 0.0;
    const wchar_t* m_where = L"start";
    std::size_t m_calls = 0;
};

void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int Hold() {
    HWND window =
        ::CreateWindowExW(0, L"STATIC", L"varnholt_bench holder", WS_OVERLAPPED | WS_VISIBLE, 0, 0,
                          160, 60, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        std::fwprintf(stderr, L"varnholt_bench: the holder window could not be created\n");
        return 1;
    }
    std::wprintf(L"holding\n");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// The run's work without the window: scan, then compare, both directions.
void TimeParts(const varnholt::CStringArray& first, const varnholt::CStringArray& second) {
    struct Direction {
        std::wstring from;
        std::wstring to;
        varnholt::CStringArray files;
    };
    std::vector<Direction> directions;
    for (std::size_t i = 0; i < first.GetSize(); ++i) {
        directions.push_back({first.GetAt(i), second.GetAt(i), {}});
        directions.push_back({second.GetAt(i), first.GetAt(i), {}});
    }

    const Stopwatch scanning;
    std::size_t listed = 0;
    for (auto& direction : directions) {
        varnholt::ScanFolderTree(direction.from, direction.files, nullptr);
        listed += direction.files.GetSize();
    }
    std::wprintf(L"scan %.6f listed %zu\n", scanning.Seconds(), listed);

    const Stopwatch comparing;
    const varnholt::SyncClock clock;
    std::size_t copied = 0;
    for (const auto& direction : directions) {
        for (const auto& file : direction.files) {
            const std::wstring target =
                varnholt::TargetPath(direction.to, varnholt::RelativePart(file, direction.from));
            copied += varnholt::SyncFile(file, target, clock) ? 1 : 0;
        }
    }
    std::wprintf(L"compare %.6f copied %zu\n", comparing.Seconds(), copied);
    std::fflush(stdout);
}

int RunBench(const std::wstring& programFolder, int repeats, bool parts) {
    const std::wstring config = programFolder + L"\\config.ini";
    if (::GetFileAttributesW(config.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fwprintf(stderr, L"varnholt_bench: %ls is missing\n", config.c_str());
        return 1;
    }
    varnholt::SetModuleFileNameForTesting(programFolder + L"\\Varnholt.exe");

    const Stopwatch opening;
    const varnholt::PowerClass power;
    const varnholt::CStringArray first =
        varnholt::DecodeFolderListValue(power.ReadConfigValue(varnholt::ConfigKeys::kFolders1));
    const varnholt::CStringArray second =
        varnholt::DecodeFolderListValue(power.ReadConfigValue(varnholt::ConfigKeys::kFolders2));
    std::wprintf(L"open %.6f\n", opening.Seconds());
    std::wprintf(L"pairs %zu\n", first.GetSize());
    std::fflush(stdout);

    std::size_t steps = 0;
    varnholt::RunCallbacks callbacks;
    callbacks.step = [&steps](varnholt::RunStep) { ++steps; };
    callbacks.progress = [](std::size_t, std::size_t) {};
    for (int i = 0; i < repeats; ++i) {
        if (parts) {
            TimeParts(first, second);
            continue;
        }
        const Memory rest = ReadMemory();
        const Stopwatch run;
        IdleGaps gaps(run);
        callbacks.idle = [&gaps] { gaps.Call(PumpPending); };
        const varnholt::RunReport report = varnholt::RunSynchronization(first, second, callbacks);
        gaps.End();
        const double seconds = run.Seconds();
        const Memory after = ReadMemory();
        std::wprintf(L"run %.6f listed %zu copied %zu\n", seconds, report.compared, report.copied);
        std::wprintf(L"memory rest %zu peak %zu\n", rest.workingSet, after.peak);
        std::wprintf(L"idle longest %.6f at %ls calls %zu\n", gaps.Longest(), gaps.Where(),
                     gaps.Calls());
        std::fflush(stdout);
        if (!report.failures.empty()) {
            std::fwprintf(stderr, L"varnholt_bench: %zu files could not be copied, the first %ls\n",
                          report.failures.size(), report.failures.front().to.c_str());
            return 1;
        }
    }
    std::wprintf(L"alive %.6f\n", SecondsSinceProcessStart());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wcscmp(argv[1], L"--hold") == 0) {
        return Hold();
    }
    const bool parts = argc > 2 && std::wcscmp(argv[argc - 1], L"--parts") == 0;
    const int positional = argc - (parts ? 1 : 0);
    if (positional < 2 || positional > 3) {
        std::fwprintf(stderr, L"usage: varnholt_bench <program folder> [repeats] [--parts]\n"
                              L"       varnholt_bench --hold\n");
        return 2;
    }
    const int repeats = positional == 3 ? std::wcstol(argv[2], nullptr, 10) : 1;
    if (repeats < 1) {
        std::fwprintf(stderr, L"varnholt_bench: repeats must be at least 1\n");
        return 2;
    }
    try {
        return RunBench(argv[1], repeats, parts);
    } catch (const varnholt::Error& error) {
        std::fwprintf(stderr, L"varnholt_bench: %ls\n", error.Message().c_str());
    } catch (const std::exception& error) {
        std::fwprintf(stderr, L"varnholt_bench: %hs\n", error.what());
    }
    return 1;
}
