#pragma once
// The application object. Exactly one global instance, constructed during
// static initialisation; the entry point (app_main.cpp) fills in the instance
// handle and the name and calls InitInstance.

#include <windows.h>

#include <string>

namespace varnholt {

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program. The return value is not used: the process ends when
    // it returns.
    virtual bool InitInstance();

    HINSTANCE m_hInstance = nullptr;
    int m_nExitCode = 0;       // the process's exit code once InitInstance returns
    std::wstring m_pszAppName; // base name of the program file; captions error boxes
    CWnd* m_pMainWnd = nullptr;
};

// The application object, or nullptr when there is none (test binaries).
CWinApp* AfxGetApp();
// The module whose resources dialogs and menus load from: the application's
// instance, else the program file's module.
HINSTANCE AfxGetInstanceHandle();
// The application's name; without an application object, the base name of the
// program file (no folder, no extension).
std::wstring AfxGetAppName();

} // namespace varnholt
