#include "app/language_selection_dlg.h"

#include <commctrl.h>

#include <algorithm>

#include "i18n/language_file.h"
#include "i18n/language_list.h"
#include "platform/text_files.h"
#include "resources/resource.h"

namespace varnholt {

namespace {

constexpr int kVisibleNames = 10;

} // namespace

// OK is the only command of its own; Escape and the close box cancel.
const MessageMap<CLanguageSelection> CLanguageSelection::kMessageMap{};

CLanguageSelection::CLanguageSelection() : CDialogImpl(IDD_LANGUAGE) {}

void CLanguageSelection::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GROUP_FOLDERS, m_group);
    DDX_Control(pDX, IDC_LANGUAGE_COMBO, m_combo);
    DDX_CBString(pDX, IDC_LANGUAGE_COMBO, m_strSelection);
}

BOOL CLanguageSelection::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(m_strCaption);

    // The file is read afresh each time the dialog opens; a file that cannot
    // be read ends the start here, with the error shown and nothing listed.
    m_astrLanguages.RemoveAll();
    m_astrLanguages = ReadLanguageList(ReadLatin1Lines(LanguageFilePath()));
    for (std::size_t i = 1; i < m_astrLanguages.GetSize(); i += 2) {
        m_combo.AddString(m_astrLanguages[i]);
    }
    OpenListWithRoomForSeveralNames();

    m_strSelection = DisplayNameForMarker(m_astrLanguages, m_strLanguage);
    UpdateData(FALSE);
    return TRUE;
}

void CLanguageSelection::OnOK() {
    UpdateData(TRUE);
    m_strLanguage = MarkerForDisplayName(m_astrLanguages, m_strSelection, m_strLanguage);
    CDialog::OnOK();
}

void CLanguageSelection::OpenListWithRoomForSeveralNames() {
    const int names = std::clamp(m_combo.GetCount(), 1, kVisibleNames);
    m_combo.SendMessage(CB_SETMINVISIBLE, static_cast<WPARAM>(names));

    // A drop-down combo box's window height is that of the field and the
    // opened list together.
    const auto field =
        static_cast<int>(m_combo.SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    const auto item = static_cast<int>(m_combo.SendMessage(CB_GETITEMHEIGHT, 0));
    if (field <= 0 || item <= 0) {
        return;
    }
    RECT rect{};
    m_combo.GetWindowRect(&rect);
    const int height = field + item * names + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
    m_combo.SetWindowPos(nullptr, 0, 0, rect.right - rect.left, height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace varnholt
