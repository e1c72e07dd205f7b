// The library's entry point, in framework_app_probe.exe: it fills in the
// application object, and libraries the program loads by name later come
// from the system folder only.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/handles.h"
#include "tests/support/test_folder.h"

namespace varnholt::test {
namespace {

// framework_app_probe.exe and the tests' own library, beside the test binary.
std::wstring BesideTests(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

// Starts the probe with the arguments and returns its exit code.
DWORD RunProbe(const std::wstring& program, const std::wstring& arguments = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"" + arguments;
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    const UniqueKernelObject thread(process.hThread);
    const UniqueKernelObject running(process.hProcess);
    ::WaitForSingleObject(running.get(), 30000);
    DWORD code = static_cast<DWORD>(-2);
    ::GetExitCodeProcess(running.get(), &code);
    return code;
}

TEST(WinAppTest, EntryPointFillsInTheApplicationAndReturnsZero) {
    EXPECT_EQ(RunProbe(BesideTests(L"framework_app_probe.exe")), 0u);
}

// A library of the tests' own lies beside a copy of the probe under the name
// of a system library that nothing has loaded yet (dwmapi.dll, which windows
// and the shell load on demand; Wine loads version.dll at start already).
// Loaded by that bare name, the system's copy must come. Under Wine, a system
// library beside a program is taken only when Wine is told to prefer native
// libraries for it, as Windows always would: the probe gets that setting, so
// without the restriction it would load the copy beside it.
TEST(WinAppTest, LibrariesLoadedByNameComeFromTheSystemFolderOnly) {
    TestFolder folder;
    const std::wstring probe = folder.Path() + L"\\framework_app_probe.exe";
    ASSERT_TRUE(::CopyFileW(BesideTests(L"framework_app_probe.exe").c_str(), probe.c_str(), TRUE));
    ASSERT_TRUE(::CopyFileW(BesideTests(L"framework_fake_library.dll").c_str(),
                            (folder.Path() + L"\\dwmapi.dll").c_str(), TRUE));

    wchar_t overrides[1024] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
    const std::wstring old(overrides, length < 1024 ? length : 0);
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (old + L";dwmapi=n,b").c_str());
    const DWORD code = RunProbe(probe, L" --load dwmapi.dll");
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", length != 0 ? old.c_str() : nullptr);

    EXPECT_EQ(code, 0u) << "4: the library beside the program was loaded; 5: none was";
}

} // namespace
} // namespace varnholt::test
