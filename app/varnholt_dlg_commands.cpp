// Menu commands that are not data operations: help, website, About, the run
// log, the language choice, and the texts of the tray popup set each time it opens.

#include "app/about_dlg.h"
#include "app/language_selection_dlg.h"
#include "app/shell_open.h"
#include "app/varnholt_dlg.h"
#include "app/web_address.h"
#include "framework/menu_update.h"
#include "i18n/text_ids.h"
#include "sync/run_log.h"

namespace varnholt {

void CVarnholtDlg::OnShowHelp() {
    // A missing help file gives no message of the program's own.
    ShellOpen(m_hWnd, m_power.GetProgramDirectory() + L"\\help.chm");
}

BOOL CVarnholtDlg::OnHelpInfo(HELPINFO* /*info*/) {
    OnShowHelp();
    return FALSE;
}

void CVarnholtDlg::OnWebsite() {
    // Read at each use; only a web address is handed to the shell.
    const std::wstring homepage = m_power.ReadConfigValue(ConfigKeys::kHomepage);
    if (IsWebAddress(homepage)) {
        ShellOpen(m_hWnd, homepage);
    }
}

void CVarnholtDlg::OnShowRunLog() {
    const std::wstring log = m_power.GetProgramDirectory() + L"\\" + kRunLogFileName;
    if (QueryFileStatus(log).exists) {
        ShellOpen(m_hWnd, log);
        return;
    }
    ShowMessage(m_translation.GetTextOr(
        text::kNoRunLogYet,
        L"There is no run log yet: it is written once a run has copied a file or could not "
        L"copy one."));
}

void CVarnholtDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

void CVarnholtDlg::OnLanguageSelection() {
    const std::wstring stored = m_power.ReadConfigValue(ConfigKeys::kLanguage);
    CLanguageSelection dialog;
    dialog.m_strLanguage = stored;
    dialog.m_strCaption = m_translation.GetText(text::kLanguageGroup);
    dialog.DoModal();

    // OK with the language in use, a typed name that matches nothing and
    // Cancel all leave the marker as it was.
    if (dialog.m_strLanguage != stored) {
        m_power.WriteConfigValue(ConfigKeys::kLanguage, dialog.m_strLanguage);
        OnInitDialog();
    }
}

void CVarnholtDlg::OnInitMenuPopup(CMenu popup, UINT /*index*/, BOOL /*systemMenu*/) {
    RouteMenuPopupUpdates(*this, popup);
}

void CVarnholtDlg::OnUpdateTrayRestore(CCmdUI* ui) {
    ui->SetText(m_translation.GetText(text::kTrayShowMainWindow));
}

void CVarnholtDlg::OnUpdateTrayExit(CCmdUI* ui) {
    ui->SetText(m_translation.GetText(text::kTrayExit));
}

} // namespace varnholt
