// The program's entry point: restricts where libraries are searched for,
// then hands control to the one application object. There is no message loop
// here; the main dialog's modal loop is the program.

#include <windows.h>

#include <exception>

#include "framework/error_report.h"
#include "framework/library_search.h"
#include "framework/win_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // First, before anything can load a library.
    varnholt::RestrictLibrarySearch();
    varnholt::CWinApp* app = varnholt::AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    try {
        app->m_hInstance = instance;
        if (app->m_pszAppName.empty()) {
            app->m_pszAppName = varnholt::AfxGetAppName();
        }
        app->InitInstance();
        return app->m_nExitCode;
    } catch (...) {
        // Errors normally stop at the dialog procedures; one raised outside any
        // window still gets shown, and the exit code says the start failed.
        varnholt::ReportError(nullptr, std::current_exception());
        return 1;
    }
}
