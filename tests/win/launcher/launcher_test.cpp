// The launcher Tovrinel.exe in a program folder of its own, started by hand
// and at "logon" (Wine's wineboot runs the Run entries): it marks the start
// in config.ini and starts Varnholt.exe, or says what is missing. And the
// one running Varnholt.exe per program folder: a later start of either
// program from that folder only brings its window back.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "framework/single_instance.h"
#include "platform/handles.h"
#include "schedule/autostart.h"
#include "settings/power_class.h"
#include "tests/support/program_folder.h"

namespace varnholt::test {
namespace {

constexpr UINT kExitCommand = 32773;
constexpr UINT kMinimizeToTrayCommand = 32774;

std::wstring WindowsPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// A program folder with a blank in its name (the entry's quotes matter),
// holding copies of the built programs besides the shipped settings and
// language file.
class LauncherFolder : public ProgramFolder {
public:
    LauncherFolder() : ProgramFolder(L" launcher") {
        CopyIn(WindowsPath(VARNHOLT_BUILT_LAUNCHER), L"Tovrinel.exe");
        CopyIn(WindowsPath(VARNHOLT_BUILT_PROGRAM), L"Varnholt.exe");
    }
    std::wstring Startup() const { return ReadConfig(L"Startup"); }
};

std::wstring ProcessImage(DWORD processId) {
    const UniqueKernelObject process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    QueryFullProcessImageNameW(process.get(), 0, path, &size);
    return path;
}

// A visible top-level dialog window with this caption, of a process running
// `image` (any process when empty).
HWND FindProgramWindow(const std::wstring& caption, const std::wstring& image = {}) {
    struct Search {
        const std::wstring& caption;
        const std::wstring& image;
        HWND found;
    } search{caption, image, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t text[256] = {};
            wchar_t kind[64] = {};
            GetWindowTextW(window, text, 256);
            GetClassNameW(window, kind, 64);
            if (s->caption != text || std::wstring(kind) != L"#32770" || !IsWindowVisible(window)) {
                return TRUE;
            }
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (!s->image.empty() && _wcsicmp(ProcessImage(processId).c_str(), s->image.c_str())) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls `done` every 50 ms for up to `timeoutMs`; returns done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs && !done(); waited += 50) {
        Sleep(50);
    }
    return done();
}

// The visible main window of the program started from `image`, once it is up.
HWND WaitForProgramWindow(const std::wstring& image, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProgramWindow(L"Oskenby Varnholt", image)) != nullptr; },
              timeoutMs);
    return window;
}

// Waits for a window of the program started from `image`, then ends the
// program as File > Exit does. True when such a window appeared.
bool CloseProgramWindow(const std::wstring& image, DWORD timeoutMs) {
    HWND window = WaitForProgramWindow(image, timeoutMs);
    if (window == nullptr) {
        return false;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueKernelObject process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageW(window, WM_COMMAND, kExitCommand, 0);
    if (process) {
        WaitForSingleObject(process.get(), 10000);
    }
    return true;
}

struct LaunchResult {
    DWORD exitCode = STILL_ACTIVE;
    std::wstring message; // the text of the message box it showed, if any
};

// Starts a program with `folder` as working folder, without waiting.
UniqueKernelObject Start(const std::wstring& commandLine, const std::wstring& folder) {
    std::wstring writable = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return {};
    }
    const UniqueKernelObject thread(process.hThread);
    return UniqueKernelObject(process.hProcess);
}

// Runs a program and waits for it, answering a message box titled
// `boxCaption` with OK as a person would. One still running after
// `timeoutMs` is ended and keeps the exit code STILL_ACTIVE.
LaunchResult RunAndWait(const std::wstring& commandLine, const std::wstring& folder,
                        const std::wstring& boxCaption = L"Tovrinel", ULONGLONG timeoutMs = 60000) {
    LaunchResult result;
    const UniqueKernelObject running = Start(commandLine, folder);
    if (!running) {
        return result;
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (WaitForSingleObject(running.get(), 50) == WAIT_TIMEOUT) {
        if (GetTickCount64() >= deadline) {
            TerminateProcess(running.get(), STILL_ACTIVE);
            WaitForSingleObject(running.get(), 5000);
            return result;
        }
        HWND box = FindProgramWindow(boxCaption);
        if (box != nullptr) {
            wchar_t text[1024] = {};
            GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 1024);
            result.message = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    GetExitCodeProcess(running.get(), &result.exitCode);
    return result;
}

TEST(LauncherTest, MarksTheStartAutomaticAndStartsVarnholtFromItsFolder) {
    LauncherFolder folder;
    EXPECT_EQ(folder.Startup(), L"manually");
    const LaunchResult result = RunAndWait(L"\"" + folder.File(L"Tovrinel.exe") + L"\"", L"C:\\");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.message, L"");
    EXPECT_EQ(folder.Startup(), L"automatically");
    EXPECT_TRUE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 15000))
        << "Varnholt.exe from the program folder did not open its window";
}

TEST(LauncherTest, MissingSettingsFileIsShownAndNothingIsStarted) {
    LauncherFolder folder;
    DeleteFileW(folder.File(L"config.ini").c_str());
    const LaunchResult result = RunAndWait(L"\"" + folder.File(L"Tovrinel.exe") + L"\"", L"C:\\");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(result.message, folder.File(L"config.ini") + L" was not found.");
    EXPECT_FALSE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 1000));
}

TEST(LauncherTest, MissingProgramIsShownAndTheStartIsNotMarked) {
    LauncherFolder folder;
    DeleteFileW(folder.File(L"Varnholt.exe").c_str());
    const LaunchResult result = RunAndWait(L"\"" + folder.File(L"Tovrinel.exe") + L"\"", L"C:\\");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(result.message, folder.File(L"Varnholt.exe") + L" was not found.");
    EXPECT_EQ(folder.Startup(), L"manually");
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST(LauncherTest, StartsFromTheFolderVarnholtRunsFromOnlyBringItsWindowBack) {
    LauncherFolder folder;
    const UniqueKernelObject running = Start(Quoted(folder.File(L"Varnholt.exe")), L"C:\\");
    HWND window = WaitForProgramWindow(folder.File(L"Varnholt.exe"), 15000);
    ASSERT_NE(window, nullptr) << "Varnholt.exe did not open its window";

    // Started again by hand, and through the launcher (as at logon), while
    // the window waits in the tray or is minimised; an error box would be
    // captioned with the program's name.
    for (const auto& [program, caption, tray] : {std::tuple{L"Varnholt.exe", L"Varnholt", true},
                                                 std::tuple{L"Tovrinel.exe", L"Tovrinel", true},
                                                 std::tuple{L"Varnholt.exe", L"Varnholt", false}}) {
        if (tray) {
            PostMessageW(window, WM_COMMAND, kMinimizeToTrayCommand, 0);
        } else {
            ShowWindow(window, SW_MINIMIZE);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window) || IsIconic(window); }, 5000));
        const std::string settings = ReadFileBytes(folder.ConfigPath());
        const LaunchResult result =
            RunAndWait(Quoted(folder.File(program)), L"C:\\", caption, 5000);
        EXPECT_EQ(result.exitCode, 0u) << program << " did not end at once";
        EXPECT_EQ(result.message, L"") << program;
        EXPECT_TRUE(IsWindowVisible(window)) << program;
        EXPECT_FALSE(IsIconic(window)) << program;
        EXPECT_EQ(GetForegroundWindow(), window) << program;
        EXPECT_EQ(ReadFileBytes(folder.ConfigPath()), settings) << program;
        EXPECT_EQ(WaitForSingleObject(running.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
    EXPECT_EQ(folder.Startup(), L"manually");
    EXPECT_TRUE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 1000));
}

TEST(LauncherTest, VarnholtFromTwoProgramFoldersRunsSideBySide) {
    LauncherFolder first;
    LauncherFolder second;
    const UniqueKernelObject one = Start(Quoted(first.File(L"Varnholt.exe")), L"C:\\");
    const UniqueKernelObject two = Start(Quoted(second.File(L"Varnholt.exe")), L"C:\\");
    EXPECT_NE(WaitForProgramWindow(first.File(L"Varnholt.exe"), 15000), nullptr);
    EXPECT_NE(WaitForProgramWindow(second.File(L"Varnholt.exe"), 15000), nullptr);
    EXPECT_TRUE(CloseProgramWindow(first.File(L"Varnholt.exe"), 1000));
    EXPECT_TRUE(CloseProgramWindow(second.File(L"Varnholt.exe"), 1000));
}

// The autostart entry as the check box writes it, removed again afterwards.
class AutostartEntry {
public:
    explicit AutostartEntry(const std::wstring& programFolder) {
        PowerClass power;
        power.m_strRegKeyPath = kRunKeyPath;
        power.WriteRegistryText(kRunValueName, AutostartCommand(programFolder));
    }
    ~AutostartEntry() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName); }
};

TEST(LauncherTest, LogonRunsTheEntryWhichStartsVarnholtMarkedAutomatic) {
    LauncherFolder folder;
    AutostartEntry entry(folder.Path());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const LaunchResult boot = RunAndWait(std::wstring(system) + L"\\wineboot.exe", system);
    EXPECT_EQ(boot.exitCode, 0u);
    EXPECT_TRUE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 20000))
        << "logon did not start Varnholt.exe through Tovrinel.exe";
    EXPECT_EQ(folder.Startup(), L"automatically");
}

// Varnholt.exe /sync runs the pairs once without a window and tells by its
// exit code how it went: all copied, some not, could not start (no
// config.ini, lists of unequal length), another copy runs from the folder.
TEST(LauncherTest, SyncFromTheCommandLineEndsWithAnExitCodeForEachOutcome) {
    LauncherFolder folder;
    const std::wstring a = folder.MakeFolder(L"a");
    const std::wstring b = folder.MakeFolder(L"b");
    WriteFileBytes(a + L"\\new.txt", "new");
    SetLocalModificationTime(a + L"\\new.txt", 2020, 1, 1, 0, 0);
    const std::wstring sync = Quoted(folder.File(L"Varnholt.exe")) + L" /SYNC";
    const auto pair = [&](const std::wstring& second) {
        folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", second}});
    };

    pair(b + L"\\...*");
    LaunchResult result = RunAndWait(sync, L"C:\\", L"Oskenby Varnholt");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.message, L""); // no window, no box
    EXPECT_EQ(ReadFileBytes(b + L"\\new.txt"), "new");
    EXPECT_NE(
        ReadFileBytes(folder.File(L"Varnholt.log")).find("run from the command line: 1 copied"),
        std::string::npos);

    WriteFileBytes(a + L"\\clash", "file");
    SetLocalModificationTime(a + L"\\clash", 2021, 1, 1, 0, 0);
    folder.MakeFolder(L"b\\clash");
    WriteFileBytes(b + L"\\clash\\keep.txt", "keep"); // cannot go where a file is
    EXPECT_EQ(RunAndWait(sync, L"C:\\", L"Oskenby Varnholt").exitCode, 1u);

    pair(L"");
    EXPECT_EQ(RunAndWait(sync, L"C:\\", L"Oskenby Varnholt").exitCode, 2u);
    DeleteFileW(folder.File(L"config.ini").c_str());
    EXPECT_EQ(RunAndWait(sync, L"C:\\", L"Oskenby Varnholt").exitCode, 2u);

    pair(b + L"\\...*");
    const UniqueKernelObject running = Start(Quoted(folder.File(L"Varnholt.exe")), L"C:\\");
    ASSERT_NE(WaitForProgramWindow(folder.File(L"Varnholt.exe"), 15000), nullptr);
    // (No box to answer: the running window bears the program's caption.)
    EXPECT_EQ(RunAndWait(sync, L"C:\\", L"no box").exitCode, 3u);
    EXPECT_TRUE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 1000));
}

// A window started while a run from the command line works (here the run's
// claim, held by the test) waits for it beyond the time a window owner gets
// to answer, then opens.
TEST(LauncherTest, WindowStartedDuringACommandLineRunOpensWhenTheRunEnds) {
    LauncherFolder folder;
    std::optional<InstanceClaim> run;
    run.emplace(kProgramFileName, folder.Path(), InstanceClaim::Kind::Windowless);
    ASSERT_TRUE(run->Owned());
    const UniqueKernelObject started = Start(Quoted(folder.File(L"Varnholt.exe")), L"C:\\");
    EXPECT_EQ(WaitForSingleObject(started.get(), 11000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForProgramWindow(folder.File(L"Varnholt.exe"), 100), nullptr);
    run.reset();
    EXPECT_TRUE(CloseProgramWindow(folder.File(L"Varnholt.exe"), 15000));
}

TEST(LauncherTest, QuestionMarkShowsTheUsage) {
    LauncherFolder folder;
    const LaunchResult result =
        RunAndWait(Quoted(folder.File(L"Varnholt.exe")) + L" /?", L"C:\\", L"Oskenby Varnholt");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.message.rfind(L"Varnholt.exe /sync runs every folder pair once", 0), 0u);
}

} // namespace
} // namespace varnholt::test
