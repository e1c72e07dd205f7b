// The launcher Tovrinel.exe in a program folder of its own, started by hand
// and at "logon" (Wine's wineboot runs the Run entries): it marks the start
// in config.ini and starts Varnholt.exe, or says what is missing.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/handles.h"
#include "schedule/autostart.h"
#include "settings/power_class.h"
#include "tests/support/program_folder.h"

namespace varnholt::test {
namespace {

constexpr UINT kExitCommand = 32773;

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

// Waits for a window of the program started from `image`, then ends the
// program as File > Exit does. True when such a window appeared.
bool CloseProgramWindow(const std::wstring& image, DWORD timeoutMs) {
    HWND window = nullptr;
    for (DWORD waited = 0; waited < timeoutMs && window == nullptr; waited += 50) {
        window = FindProgramWindow(L"Oskenby Varnholt", image);
        if (window == nullptr) {
            Sleep(50);
        }
    }
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

// Runs a program and waits for it, answering a message box titled
// `boxCaption` with OK as a person would.
LaunchResult RunAndWait(const std::wstring& commandLine, const std::wstring& folder,
                        const std::wstring& boxCaption = L"Tovrinel") {
    LaunchResult result;
    std::wstring writable = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return result;
    }
    const UniqueKernelObject thread(process.hThread);
    const UniqueKernelObject running(process.hProcess);
    while (WaitForSingleObject(running.get(), 50) == WAIT_TIMEOUT) {
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

} // namespace
} // namespace varnholt::test
