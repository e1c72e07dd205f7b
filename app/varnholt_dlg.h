#pragma once
// The main window: a dialog that lives for the whole process. Every feature
// of the program is one of its message handlers.

#include <windows.h>

#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "app/tray_icon.h"
#include "base/string_array.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/error_report.h"
#include "framework/menu.h"
#include "i18n/error_wording.h"
#include "i18n/translation.h"
#include "platform/handles.h"
#include "resources/resource.h"
#include "settings/power_class.h"
#include "sync/copy_failure.h"
#include "sync/run_log.h"

namespace varnholt {

// Timer 1 ticks once a minute for the interval schedule.
inline constexpr UINT_PTR kScheduleTimer = 1;
inline constexpr UINT kScheduleTimerPeriod = 60000;
// Timer 2 waits a moment after a drive arrived, for its volume to be ready.
inline constexpr UINT_PTR kArrivalTimer = 2;
inline constexpr UINT kArrivalDelay = 3000;
// The message the tray icon sends to the main window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;
// The message the shell broadcasts when the notification area (re)starts.
UINT TaskbarCreatedMessage();

class CVarnholtDlg : public CDialogImpl<CVarnholtDlg> {
public:
    CVarnholtDlg();

    static const MessageMap<CVarnholtDlg> kMessageMap;

    // The start-up sequence. Runs when the window opens, and again on the
    // live window after a language change and after the last pair is removed.
    BOOL OnInitDialog() override;

    // --- Folder pairs (varnholt_dlg_pairs.cpp) ---
    void LoadFolderPairs();
    void OnAddFolders();
    void OnRemoveFolders();
    void StoreFolderList(ConfigKey key, const CStringArray& list);

    // --- Synchronization run (varnholt_dlg_run.cpp) ---
    // Both passes over all pairs (sync/sync_run.h), then the files that could
    // not be copied, the closing message of a hand run, and text 135.
    void OnStartSyncNow();
    // The run a tick starts when the countdown runs out: no closing message,
    // the timer resting meanwhile, then the countdown from `interval` again.
    void RunOnSchedule(std::int32_t interval, RunStart how = RunStart::Timer);
    // WM_DEVICECHANGE: a volume arrived. When a pair uses its drive and the
    // interval timer is on, a scheduled run follows within seconds.
    LRESULT OnDeviceChange(WPARAM event, LPARAM data);
    // Timer 2: the run after a drive arrived.
    void RunAfterArrival();

    // --- Interval schedule and autostart (varnholt_dlg_schedule.cpp) ---
    // One tick of timer 1: the first tick after a start-up hands an automatic
    // start over to the tray; every tick counts NextSync down and starts a
    // run when it runs out.
    void OnTimer(UINT_PTR id);
    // A change of the days, hours or minutes field, made by the user.
    void OnIntervalChange();
    // Stores the interval of the three fields and starts the countdown again.
    void UpdateSchedule();
    // Check box 1008: adds or removes the autostart entry and stores the
    // choice in Options, all or nothing.
    void OnStartWithWindows();

    // --- Tray icon (varnholt_dlg_tray.cpp) ---
    // Adds the icon to the notification area and, only when that worked,
    // hides the window (minimised, no taskbar button).
    void OnMinimizeToTray();
    // WM_USER+1 from the icon: wParam is the icon id, lParam the mouse message.
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    // Shows and restores the window, then removes the icon.
    void OnTrayRestore();
    // Removes the icon and destroys the window, which ends the program;
    // nothing is written.
    void OnTrayExit();
    // True while the window waits in the notification area.
    bool IsInTray() const noexcept { return m_trayIcon.IsAdded(); }
    // True once the window is gone: the tray's exit destroyed it while a
    // handler waited in a box or dialog. The rest of that handler is dropped:
    // nothing more is shown, and nothing written but what undoes its own
    // half-done change.
    bool HasEnded() const noexcept { return m_hWnd == nullptr; }
    // ShowInstanceMessage() from a later start in the same program folder:
    // the window comes back from the tray (as OnTrayRestore) or from its
    // minimised state and to the front, or the box it waits in (About, a
    // message) does. Answers kInstanceShown.
    LRESULT OnShowInstance(WPARAM, LPARAM);

    // --- Menu commands (varnholt_dlg_commands.cpp) ---
    void OnShowHelp();
    BOOL OnHelpInfo(HELPINFO* info);
    void OnWebsite();
    void OnAbout();
    // Opens the run log with the program Windows uses for such files, or
    // says that there is none yet.
    void OnShowRunLog();
    void OnLanguageSelection();
    void OnInitMenuPopup(CMenu popup, UINT index, BOOL systemMenu);
    void OnUpdateTrayRestore(CCmdUI* ui);
    void OnUpdateTrayExit(CCmdUI* ui);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnExit();

public:
    // What the window holds and shows, read-only (the tests read it back).
    struct StateView {
        HICON icon;
        const CStringArray& folders1;
        const CStringArray& folders2;
        bool firstTick;
        const std::wstring& days;
        const std::wstring& hours;
        const std::wstring& minutes;
        const std::wstring& options;
        int autostart;
        bool scheduledRun;
        bool addingPair;
        const std::wstring& status;
        const std::wstring& trayNotice; // the text of the icon's last notice
        int trayNotices;                // how many notices the icon showed
    };
    StateView State() const noexcept {
        return {m_hIcon,
                m_folders1,
                m_folders2,
                m_firstTick,
                m_days,
                m_hours,
                m_minutes,
                m_options,
                m_autostart,
                m_scheduledRun,
                m_addingPair,
                m_status,
                m_trayIcon.LastNotice(),
                m_trayIcon.NoticeCount()};
    }

private:
    HICON m_hIcon = nullptr;
    CStringArray m_folders1;
    CStringArray m_folders2;
    bool m_firstTick = false;
    std::wstring m_days;
    std::wstring m_hours;
    std::wstring m_minutes;
    std::wstring m_options;
    int m_autostart = 0;
    bool m_scheduledRun = false;

    CListCtrl m_pairList;
    PowerClass m_power;
    std::wstring m_status;
    CTranslation m_translation;
    // The errors of the window's handlers, worded in the loaded language.
    ErrorWordingScope m_errorWording{
        [this](const Error& error) { return WordedMessage(error, m_translation); }};

    // Controls whose captions the start-up sequence sets.
    CStatic m_groupFolders;
    CButton m_addButton;
    CButton m_removeButton;
    CButton m_syncButton;
    CStatic m_groupInterval;
    CStatic m_groupBehaviour;
    CButton m_autostartBox;
    std::wstring m_labelDays;
    std::wstring m_labelHours;
    std::wstring m_labelMinutes;

    // The notification area was (re)started: the icon is added again when
    // the window waits there, or it could no longer be reached.
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    void ShowTrayPopup();

    // The icon while the window waits in the notification area.
    TrayIcon m_trayIcon;
    LRESULT OnDestroyWindow(WPARAM, LPARAM);
    // The menu of the tray popup (menu resource 132), loaded each time the
    // window goes to the tray.
    UniqueMenu m_trayMenu;

    // A later start asked for the window: the first tick of an automatic
    // start leaves it shown.
    bool m_shownOnRequest = false;

    // The countdown part of a tick (after the first-tick hand-over).
    void CountDownOneMinute();
    // True while a run is under way: a second one does not start inside it.
    bool m_runUnderWay = false;
    // True while Add waits for the user (its messages and folder dialogs):
    // the lists are not a set of whole pairs then, so no run starts, the
    // countdown waits, and another Add or Remove does not start over it.
    bool m_addingPair = false;
    // Says that the pair under way must be finished first; true when Add
    // waits, which the caller then leaves alone.
    bool SayPairIncomplete();
    // True while the error of a tick is shown: later ticks do not stack more
    // boxes over it.
    bool m_tickErrorShown = false;

    // Shows the members in the controls and paints the status line at once.
    void PushFieldsAndPaintStatus();
    // The list of files a run could not copy, one box at a time.
    void ShowCopyFailures(const std::vector<CopyFailure>& failures);
    // The failures of a scheduled run while the window waits in the tray: a
    // notice at the icon, which shows the list when clicked.
    void NoticeFailures(const std::vector<CopyFailure>& failures);
    // The failures the last notice was about, shown when it is clicked.
    std::vector<CopyFailure> m_noticedFailures;
    // Everything announced at the icon since the window was last shown.
    ToldFailures m_announcedFailures;
    // Everything a list has shown since the window was last shown and a run
    // last copied all: a scheduled run failing only there shows no list.
    ToldFailures m_listedFailures;
    // How many files the last scheduled run could not copy when a list had
    // shown them all already, so it showed none; else 0.
    std::size_t m_failedAsBefore = 0;
    // The log's lines when a pair's folder goes absent or comes back.
    void NoteVolumeChanges(const std::vector<std::wstring>& absent, RunLog& log);
    // Folders whose volume the last run found absent.
    std::set<std::wstring> m_absentFolders;
    // How the scheduled run under way was started.
    RunStart m_scheduledStart = RunStart::Timer;
    bool m_failuresShown = false;
    // The tray's exit chosen while a run works: the program ends after it.
    bool m_exitAfterRun = false;

    // The pictures span the window's width (varnholt_dlg_layout.cpp).
    void FitPicturesToWindow();
    // The width of a pair column at the window's scale (280 pixels at
    // 100 %); remembers that scale for a later change of it.
    int PairColumnWidth();
    LRESULT OnDpiChanged(WPARAM dpis, LPARAM suggestedRect);
    UINT m_columnDpi = 0;

    // Shows one of the program's own messages: owned by the main window,
    // catalogue text 5 as caption, OK only; no icon unless one is given.
    void ShowMessage(const std::wstring& text, UINT icon = 0);
    void AddAboutItemToSystemMenu();
    void TranslateMenuBar();
};

} // namespace varnholt
