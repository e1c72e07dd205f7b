// A program made of an application object and the library's entry point. It
// checks what the entry point filled in and reports through its exit code:
// 0 when InitInstance saw the expected state, 3 when it did not.
//   framework_app_probe.exe --load NAME
// then loads the library NAME by its bare name, as the shell loads its own on
// demand, and ends with 0 when it came from outside the probe's folder, 4
// when the copy beside the probe was loaded, 5 when none was.

#include <windows.h>

#include <iterator>
#include <string>

#include "framework/win_app.h"

namespace {

constexpr wchar_t kLoadOption[] = L" --load ";

// The folder of a module's file, with its final backslash.
std::wstring FolderOf(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

int LoadByName(const std::wstring& name) {
    HMODULE library = ::LoadLibraryW(name.c_str());
    if (library == nullptr) {
        return 5;
    }
    const bool beside = ::CompareStringOrdinal(FolderOf(library).c_str(), -1,
                                               FolderOf(nullptr).c_str(), -1, TRUE) == CSTR_EQUAL;
    ::FreeLibrary(library);
    return beside ? 4 : 0;
}

class ProbeApp : public varnholt::CWinApp {
public:
    bool InitInstance() override {
        bool ok = varnholt::AfxGetApp() == this && m_hInstance == ::GetModuleHandleW(nullptr) &&
                  m_pszAppName == L"framework_app_probe" &&
                  varnholt::AfxGetInstanceHandle() == m_hInstance && m_pMainWnd == nullptr;
        if (!ok) {
            ::ExitProcess(3);
        }
        const std::wstring command = ::GetCommandLineW();
        if (const auto at = command.find(kLoadOption); at != std::wstring::npos) {
            ::ExitProcess(
                static_cast<UINT>(LoadByName(command.substr(at + std::size(kLoadOption) - 1))));
        }
        return false;
    }
};

ProbeApp theApp;

} // namespace
