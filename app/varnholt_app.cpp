#include "app/varnholt_app.h"

#include <windows.h>

#include <commctrl.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/sync_command.h"
#include "app/varnholt_dlg.h"
#include "base/errors.h"
#include "framework/single_instance.h"
#include "i18n/text_ids.h"
#include "platform/program_path.h"
#include "schedule/autostart.h"

namespace varnholt {

// The one application object, constructed during static initialisation.
CVarnholtApp theApp;

namespace {

// The arguments after the program's name.
std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; list != nullptr && i < count; ++i) {
        arguments.emplace_back(list[i]);
    }
    LocalFree(list);
    return arguments;
}

} // namespace

bool CVarnholtApp::InitInstance() {
    switch (ActionOf(Arguments())) {
    case CommandLineAction::Sync:
        m_nExitCode = RunSyncCommand();
        return false;
    case CommandLineAction::Usage: {
        CTranslation translation;
        try {
            translation.LoadLanguage();
        } catch (const Error&) {
            // The usage in English, then.
        }
        MessageBoxW(nullptr, UsageText(translation).c_str(),
                    translation.GetTextOr(text::kMessageCaption, L"Oskenby Varnholt").c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return false;
    }
    case CommandLineAction::Window:
        break;
    }
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
