#include "app/varnholt_app.h"

#include <windows.h>

#include <commctrl.h>

#include "app/varnholt_dlg.h"

namespace varnholt {

// The one application object, constructed during static initialisation.
CVarnholtApp theApp;

bool CVarnholtApp::InitInstance() {
    // The window classes of the common controls (the list view among them).
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CVarnholtDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The dialog has ended: returning false ends the process.
    return false;
}

} // namespace varnholt
