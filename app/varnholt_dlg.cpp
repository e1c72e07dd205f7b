#include "app/varnholt_dlg.h"
#include "base/text_numbers.h"

#include "app/about_dlg.h"
#include "framework/paint_dc.h"
#include "framework/single_instance.h"
#include "framework/win_app.h"
#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"
#include "schedule/interval.h"

namespace varnholt {

const MessageMap<CVarnholtDlg> CVarnholtDlg::kMessageMap{
    OnSysCommandMsg<&CVarnholtDlg::OnSysCommand>(),
    OnPaintMsg<&CVarnholtDlg::OnPaint>(),
    OnQueryDragIconMsg<&CVarnholtDlg::OnQueryDragIcon>(),
    OnCommand<&CVarnholtDlg::OnExit>(ID_EXIT),
    OnClicked<&CVarnholtDlg::OnAddFolders>(IDC_ADD),
    OnClicked<&CVarnholtDlg::OnRemoveFolders>(IDC_REMOVE),
    OnClicked<&CVarnholtDlg::OnStartSyncNow>(IDC_SYNC_NOW),
    OnMessage<&CVarnholtDlg::OnTrayNotify>(kTrayCallbackMessage),
    OnTimerMsg<&CVarnholtDlg::OnTimer>(),
    OnControlNotify<&CVarnholtDlg::OnIntervalChange>(IDC_DAYS, EN_CHANGE),
    OnControlNotify<&CVarnholtDlg::OnIntervalChange>(IDC_HOURS, EN_CHANGE),
    OnControlNotify<&CVarnholtDlg::OnIntervalChange>(IDC_MINUTES, EN_CHANGE),
    OnClicked<&CVarnholtDlg::OnStartWithWindows>(IDC_AUTOSTART),
    OnCommand<&CVarnholtDlg::OnMinimizeToTray>(ID_MINIMIZE_TO_TRAY),
    OnCommand<&CVarnholtDlg::OnTrayExit>(ID_TRAY_EXIT),
    OnCommand<&CVarnholtDlg::OnTrayRestore>(ID_TRAY_RESTORE),
    OnCommand<&CVarnholtDlg::OnShowHelp>(ID_SHOW_HELP),
    OnCommand<&CVarnholtDlg::OnWebsite>(ID_WEBSITE),
    OnCommand<&CVarnholtDlg::OnAbout>(ID_ABOUT),
    OnCommand<&CVarnholtDlg::OnShowRunLog>(ID_SHOW_RUN_LOG),
    OnHelpInfoMsg<&CVarnholtDlg::OnHelpInfo>(),
    OnInitMenuPopupMsg<&CVarnholtDlg::OnInitMenuPopup>(),
    OnUpdateCommandUI<&CVarnholtDlg::OnUpdateTrayRestore>(ID_TRAY_RESTORE),
    OnUpdateCommandUI<&CVarnholtDlg::OnUpdateTrayExit>(ID_TRAY_EXIT),
    OnCommand<&CVarnholtDlg::OnStartSyncNow>(ID_SYNC_NOW),
    OnCommand<&CVarnholtDlg::OnLanguageSelection>(ID_LANGUAGE_SELECTION),
    OnMessage<&CVarnholtDlg::OnTaskbarCreated>(TaskbarCreatedMessage()),
    OnMessage<&CVarnholtDlg::OnShowInstance>(ShowInstanceMessage()),
    OnMessage<&CVarnholtDlg::OnDpiChanged>(WM_DPICHANGED),
    OnMessage<&CVarnholtDlg::OnDestroyWindow>(WM_DESTROY),
    OnMessage<&CVarnholtDlg::OnDeviceChange>(WM_DEVICECHANGE),
};

CVarnholtDlg::CVarnholtDlg() : CDialogImpl(IDD_VARNHOLT_DIALOG) {
    m_hIcon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CVarnholtDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAIR_LIST, m_pairList);
    DDX_Text(pDX, IDC_STATUS, m_status);
    DDX_Text(pDX, IDC_DAYS, m_days);
    DDX_Text(pDX, IDC_HOURS, m_hours);
    DDX_Text(pDX, IDC_MINUTES, m_minutes);
    DDX_Check(pDX, IDC_AUTOSTART, m_autostart);
    DDX_Control(pDX, IDC_GROUP_FOLDERS, m_groupFolders);
    DDX_Control(pDX, IDC_ADD, m_addButton);
    DDX_Control(pDX, IDC_REMOVE, m_removeButton);
    DDX_Control(pDX, IDC_SYNC_NOW, m_syncButton);
    DDX_Control(pDX, IDC_GROUP_INTERVAL, m_groupInterval);
    DDX_Control(pDX, IDC_GROUP_BEHAVIOUR, m_groupBehaviour);
    DDX_Control(pDX, IDC_AUTOSTART, m_autostartBox);
    DDX_Text(pDX, IDC_LABEL_DAYS, m_labelDays);
    DDX_Text(pDX, IDC_LABEL_HOURS, m_labelHours);
    DDX_Text(pDX, IDC_LABEL_MINUTES, m_labelMinutes);
}

BOOL CVarnholtDlg::OnInitDialog() {
    // Binds the control wrappers and shows the members (still empty at the
    // first run).
    CDialog::OnInitDialog();
    FitPicturesToWindow();

    AddAboutItemToSystemMenu();
    AcceptShowInstanceMessage(m_hWnd);

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_translation.LoadLanguage();

    m_groupFolders.SetWindowText(m_translation.GetText(text::kFoldersGroup));
    m_addButton.SetWindowText(m_translation.GetText(text::kAddFolders));
    m_removeButton.SetWindowText(m_translation.GetText(text::kRemoveFolders));
    m_syncButton.SetWindowText(m_translation.GetText(text::kStartSyncNow));
    m_groupInterval.SetWindowText(m_translation.GetText(text::kIntervalGroup));
    m_groupBehaviour.SetWindowText(m_translation.GetText(text::kBehaviourGroup));
    m_labelDays = m_translation.GetText(text::kDaysLabel);
    m_labelHours = m_translation.GetText(text::kHoursLabel);
    m_labelMinutes = m_translation.GetText(text::kMinutesLabel);
    m_autostartBox.SetWindowText(m_translation.GetText(text::kAutostartCheck));

    TranslateMenuBar();

    LoadFolderPairs();

    // The second character of Options is the start-with-Windows flag; a
    // one-character value counts as on, an empty one cannot be read.
    m_options = m_power.ReadConfigValue(ConfigKeys::kOptions);
    if (m_options.empty()) {
        throw InvalidArgumentError();
    }
    m_autostart = (m_options.size() >= 2 && m_options[1] == L'0') ? 0 : 1;
    m_firstTick = true;

    const auto interval =
        SplitInterval(TextToInt(m_power.ReadConfigValue(ConfigKeys::kSyncInterval)));
    m_days = interval.days;
    m_hours = interval.hours;
    m_minutes = interval.minutes;

    const std::int32_t next = TextToInt(m_power.ReadConfigValue(ConfigKeys::kNextSync));
    m_status = next == 0
                   ? m_translation.GetText(text::kNoRunPlanned)
                   : FormatCatalogueNumber(m_translation.GetText(text::kMinutesUntilRun), next);

    UpdateData(FALSE);

    m_scheduledRun = false;
    SetTimer(kScheduleTimer, kScheduleTimerPeriod);
    return TRUE;
}

void CVarnholtDlg::AddAboutItemToSystemMenu() {
    CMenu systemMenu = GetSystemMenu(false);
    if (!systemMenu.m_hMenu) {
        return;
    }
    // The start-up sequence runs again after a language change: the entry is
    // added only once.
    if (GetMenuState(systemMenu.m_hMenu, IDM_ABOUTBOX, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        return;
    }
    wchar_t buffer[256] = {};
    const int length = LoadStringW(AfxGetInstanceHandle(), IDS_ABOUTBOX, buffer, 256);
    if (length > 0) {
        systemMenu.AppendMenu(MF_SEPARATOR);
        systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, std::wstring(buffer, length));
    }
}

void CVarnholtDlg::TranslateMenuBar() {
    CMenu bar = GetMenu();
    if (!bar.m_hMenu) {
        return;
    }
    bar.SetItemTextByPosition(0, m_translation.GetText(text::kMenuFile));
    bar.SetItemTextByPosition(1, m_translation.GetText(text::kMenuHelp));

    CMenu file = bar.GetSubMenu(0);
    if (file.m_hMenu) {
        file.SetItemTextByPosition(0, m_translation.GetText(text::kMenuMinimizeToTray));
        file.SetItemTextByPosition(1, m_translation.GetText(text::kMenuStartSyncNow));
        file.SetItemTextByPosition(3, m_translation.GetText(text::kMenuLanguage));
        file.SetItemTextByPosition(5, m_translation.GetText(text::kMenuExit));
    }
    CMenu help = bar.GetSubMenu(1);
    if (help.m_hMenu) {
        help.SetItemTextByPosition(0, m_translation.GetText(text::kMenuShowHelpFile));
        help.SetItemTextByPosition(2, m_translation.GetText(text::kMenuWebsite));
        help.SetItemTextByPosition(3, m_translation.GetText(text::kMenuAbout));
        help.SetItemTextByPosition(
            4, m_translation.GetTextOr(text::kMenuShowRunLog, L"Show Run &Log"));
    }
    DrawMenuBar();
}

void CVarnholtDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
    } else {
        Default();
    }
}

void CVarnholtDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);

    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

HCURSOR CVarnholtDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CVarnholtDlg::OnExit() {
    OnOK();
}

void CVarnholtDlg::ShowMessage(const std::wstring& text, UINT icon) {
    if (HasEnded()) {
        return; // a box without its window would stand alone on the screen
    }
    MessageBoxW(m_hWnd, text.c_str(), m_translation.GetText(text::kMessageCaption).c_str(),
                MB_OK | icon);
}

} // namespace varnholt
