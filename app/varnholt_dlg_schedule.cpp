// The interval schedule (a countdown of whole minutes in NextSync, moved by
// timer 1), the run after a drive arrived (timer 2) and the autostart entry
// behind check box 1008.

#include <windows.h>

#include <dbt.h>

#include <cwctype>

#include "app/varnholt_dlg.h"
#include "base/scope_exit.h"
#include "base/text_numbers.h"
#include "framework/error_report.h"
#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"
#include "platform/registry.h"
#include "schedule/autostart.h"
#include "schedule/countdown.h"
#include "schedule/interval.h"
#include "settings/start_mark.h"

namespace varnholt {

void CVarnholtDlg::OnTimer(UINT_PTR id) {
    if (id == kArrivalTimer) {
        RunAfterArrival();
        return;
    }
    if (id != kScheduleTimer) {
        return;
    }
    try {
        if (m_firstTick) {
            // The launcher marks a start at logon; the window has been seen
            // for a minute and now waits in the tray, unless a start by hand
            // has asked for it meanwhile.
            if (TakeStartAtLogonMark() && !m_shownOnRequest) {
                OnMinimizeToTray();
            }
            m_firstTick = false;
        }
        CountDownOneMinute();
    } catch (...) {
        // A tick that fails every minute (config.ini gone) shows one box at a
        // time; ticks that come while it is open still try, silently.
        if (!m_tickErrorShown && !HasEnded()) {
            const auto shown = FlagForScope(m_tickErrorShown);
            ReportError(m_hWnd, std::current_exception());
        }
    }
}

void CVarnholtDlg::CountDownOneMinute() {
    // The status line belongs to a run under way, and Add waiting for its
    // folders holds a pair not yet whole: the countdown waits, and its run
    // comes with a tick after them.
    if (m_runUnderWay || m_addingPair) {
        return;
    }
    UpdateData(TRUE);
    const std::int32_t interval = TextToInt(m_power.ReadConfigValue(ConfigKeys::kSyncInterval));
    const std::int32_t next = TextToInt(m_power.ReadConfigValue(ConfigKeys::kNextSync));
    const CountdownTick tick = CountDown(interval, next);
    if (!tick.counting) {
        return;
    }
    m_status = FormatCatalogueNumber(m_translation.GetText(text::kMinutesUntilRun), tick.shown);
    UpdateData(FALSE);

    if (tick.runNow) {
        RunOnSchedule(interval);
        if (HasEnded()) {
            return; // the tray's exit came while the run's list was open: write nothing
        }
    }
    m_power.WriteConfigValue(ConfigKeys::kNextSync, std::to_wstring(tick.next));
}

LRESULT CVarnholtDlg::OnDeviceChange(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (event != DBT_DEVICEARRIVAL || header == nullptr ||
        header->dbch_devicetype != DBT_DEVTYP_VOLUME) {
        return TRUE;
    }
    const DWORD drives = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data)->dbcv_unitmask;
    const auto onArrivedDrive = [drives](const std::wstring& folder) {
        const wchar_t letter = folder.size() >= 2 && folder[1] == L':' ? towupper(folder[0]) : 0;
        return letter >= L'A' && letter <= L'Z' && (drives & (1u << (letter - L'A'))) != 0;
    };
    bool used = false;
    for (std::size_t i = 0; i < m_folders1.GetSize() && i < m_folders2.GetSize(); ++i) {
        used = used || onArrivedDrive(m_folders1.GetAt(i)) || onArrivedDrive(m_folders2.GetAt(i));
    }
    if (used) {
        SetTimer(kArrivalTimer, kArrivalDelay);
    }
    return TRUE;
}

void CVarnholtDlg::RunAfterArrival() {
    KillTimer(kArrivalTimer);
    try {
        const std::int32_t interval = TextToInt(m_power.ReadConfigValue(ConfigKeys::kSyncInterval));
        if (interval == 0) {
            return; // automatic runs are off: the user runs by hand
        }
        if (m_runUnderWay || m_scheduledRun || m_addingPair) {
            SetTimer(kArrivalTimer, kArrivalDelay); // after the run or the Add under way
            return;
        }
        // As a tick's run: no closing message, and the countdown starts again.
        RunOnSchedule(interval, RunStart::DriveArrival);
    } catch (...) {
        // As a tick's error: one box at a time.
        if (!m_tickErrorShown && !HasEnded()) {
            const auto shown = FlagForScope(m_tickErrorShown);
            ReportError(m_hWnd, std::current_exception());
        }
    }
}

void CVarnholtDlg::OnIntervalChange() {
    UpdateSchedule();
}

void CVarnholtDlg::UpdateSchedule() {
    UpdateData(TRUE);
    const std::wstring interval = std::to_wstring(IntervalMinutes(m_days, m_hours, m_minutes));
    m_power.WriteConfigValue(ConfigKeys::kSyncInterval, interval);
    m_power.WriteConfigValue(ConfigKeys::kNextSync, interval);
    m_status = interval != L"0"
                   ? FormatCatalogueText(m_translation.GetText(text::kIntervalStored), interval)
                   : m_translation.GetText(text::kNoRunPlanned);
    UpdateData(FALSE);
}

void CVarnholtDlg::OnStartWithWindows() {
    // The box has ticked or cleared itself already; the state before the
    // click decides. Whatever fails, the registry, Options, m_autostart and
    // the box all keep the old state.
    const bool wasOn = m_autostart == 1;
    try {
        const std::wstring options = OptionsWithAutostart(m_options, !wasOn);
        m_power.m_strRegKeyPath = kRunKeyPath;
        const auto before = RegistryQuery(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName);
        if (wasOn) {
            m_power.DeleteRegistryValue(kRunValueName);
        } else {
            m_power.WriteRegistryText(kRunValueName,
                                      AutostartCommand(m_power.GetProgramDirectory()));
        }
        try {
            m_power.WriteConfigValue(ConfigKeys::kOptions, options);
        } catch (...) {
            // Take the registry change back.
            if (before) {
                RegistrySet(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName, before->type,
                            before->data);
            } else {
                RegistryDelete(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName);
            }
            throw;
        }
        m_options = options;
        m_autostart = wasOn ? 0 : 1;
    } catch (...) {
        m_autostartBox.SetCheck(wasOn ? BST_CHECKED : BST_UNCHECKED);
        throw;
    }
}

} // namespace varnholt
