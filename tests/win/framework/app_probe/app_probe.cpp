// A program made of an application object and the library's entry point. It
// checks what the entry point filled in and reports through its exit code:
// 0 when InitInstance saw the expected state, 3 when it did not.

#include <windows.h>

#include "framework/win_app.h"

namespace {

class ProbeApp : public varnholt::CWinApp {
public:
    bool InitInstance() override {
        bool ok = varnholt::AfxGetApp() == this && m_hInstance == ::GetModuleHandleW(nullptr) &&
                  m_pszAppName == L"framework_app_probe" &&
                  varnholt::AfxGetInstanceHandle() == m_hInstance && m_pMainWnd == nullptr;
        if (!ok) {
            ::ExitProcess(3);
        }
        return false;
    }
};

ProbeApp theApp;

} // namespace
