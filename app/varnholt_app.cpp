#include "app/varnholt_app.h"

#include <windows.h>

#include <commctrl.h>

#include "app/varnholt_dlg.h"
#include "framework/single_instance.h"
#include "platform/program_path.h"
#include "schedule/autostart.h"

namespace varnholt {

// The one application object, constructed during static initialisation.
CVarnholtApp theApp;

bool CVarnholtApp::InitInstance() {
    // One running instance per program folder, decided before any window or
    // write: a second start brings the running window to the front and ends.
    // The claim is held until the window has closed.
    const InstanceClaim claim(kProgramFileName, ProgramDirectory());
    if (!claim.Owned()) {
        return false;
    }

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
