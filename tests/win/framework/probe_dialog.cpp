#include "tests/win/framework/probe_dialog.h"

#include <commctrl.h>

#include <stdexcept>

#include "base/errors.h"
#include "base/string_array.h"
#include "framework/menu_update.h"

namespace varnholt::test {

const MessageMap<ProbeDialog> ProbeDialog::kMessageMap{
    OnCommand<&ProbeDialog::OnOpen>(ID_FILE_OPEN),
    OnCommand<&ProbeDialog::OnOpenSecondRow>(ID_FILE_OPEN),
    OnClicked<&ProbeDialog::OnRun>(IDC_RUN),
    OnControlNotify<&ProbeDialog::OnEditChange>(IDC_EDIT1, EN_CHANGE),
    OnNotify<&ProbeDialog::OnListClick>(IDC_LIST, NM_CLICK),
    OnUpdateCommandUI<&ProbeDialog::OnUpdateOpen>(ID_FILE_OPEN),
    OnUpdateCommandUI<&ProbeDialog::OnUpdateOther>(ID_RECENT_ONE),
    OnUpdateCommandUI<&ProbeDialog::OnUpdateOther>(ID_RECENT_TWO),
    OnUpdateCommandUI<&ProbeDialog::OnUpdateOther>(ID_HELP_ABOUT),
    OnMessage<&ProbeDialog::OnAdd>(WM_APP_ADD),
    OnMessage<&ProbeDialog::OnThrow>(WM_APP_THROW),
    OnMessage<&ProbeDialog::OnDestroyRequest>(WM_APP_DESTROY),
    OnMessage<&ProbeDialog::OnCallback>(WM_APP_CALLBACK),
    OnSysCommandMsg<&ProbeDialog::OnSysCommand>(),
    OnPaintMsg<&ProbeDialog::OnPaint>(),
    OnQueryDragIconMsg<&ProbeDialog::OnQueryDragIcon>(),
    OnTimerMsg<&ProbeDialog::OnTimer>(),
    OnHelpInfoMsg<&ProbeDialog::OnHelpInfo>(),
    OnInitMenuPopupMsg<&ProbeDialog::OnInitMenuPopup>(),
};

void InitControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

BOOL ProbeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ++initCount;
    if (onInit) {
        onInit(*this);
    }
    return TRUE;
}

void ProbeDialog::DoDataExchange(CDataExchange* pDX) {
    if (exchangeControls) {
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Control(pDX, IDC_TICK, m_tick);
        DDX_Text(pDX, IDC_EDIT1, m_text);
        DDX_Check(pDX, IDC_TICK, m_check);
        DDX_CBString(pDX, IDC_COMBO, m_choice);
    }
    if (onExchange) {
        onExchange(*this);
    }
}

void ProbeDialog::OnListClick(NMHDR* header, LRESULT* result) {
    notifyCode = header->code;
    *result = 42;
}

void ProbeDialog::OnUpdateOpen(CCmdUI* ui) {
    updatedId = ui->m_nID;
    updatedIndex = ui->m_nIndex;
    ui->SetText(L"Open (updated)");
    OnUpdateOther(ui);
}

void ProbeDialog::OnUpdateOther(CCmdUI* ui) {
    updates.push_back({ui->m_nID, ui->m_nIndex, ui->m_parentMenu.m_hMenu});
    if (onUpdate) {
        onUpdate(ui);
    }
}

LRESULT ProbeDialog::OnThrow(WPARAM wParam, LPARAM) {
    calls.push_back(L"OnThrow");
    switch (static_cast<ThrowKind>(wParam)) {
    case ThrowKind::FileNotFound:
        throw FileError(FileFault::Missing, L"C:\\Sync\\config.ini");
    case ThrowKind::BadIndex: {
        CStringArray empty;
        return static_cast<LRESULT>(empty.GetAt(3).size());
    }
    case ThrowKind::Standard:
        throw std::runtime_error("disk on fire");
    case ThrowKind::Unknown:
        throw 17;
    }
    return 0;
}

LRESULT ProbeDialog::OnDestroyRequest(WPARAM, LPARAM) {
    calls.push_back(L"OnDestroyRequest");
    DestroyWindow();
    return 0;
}

LRESULT ProbeDialog::OnCallback(WPARAM, LPARAM) {
    if (onCallback) {
        onCallback(*this);
    }
    return 0;
}

void ProbeDialog::OnSysCommand(UINT id, LPARAM param) {
    sysCommand = id;
    sysParam = param;
    if ((id & 0xFFF0) != 0x0010) {
        Default();
    }
}

void ProbeDialog::OnPaint() {
    ++paints;
    Default();
}

BOOL ProbeDialog::OnHelpInfo(HELPINFO* info) {
    helpInfo = info;
    return TRUE;
}

void ProbeDialog::OnInitMenuPopup(CMenu menu, UINT index, BOOL system) {
    popup = menu.m_hMenu;
    popupIndex = index;
    popupSystem = system;
    popupTracked = IsTrackingPopup(menu.m_hMenu);
    if (routePopups) {
        RouteMenuPopupUpdates(*this, menu);
    }
}

} // namespace varnholt::test
