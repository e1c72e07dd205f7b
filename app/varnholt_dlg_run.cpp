// The synchronization run, started by hand (button 1004, File > Start
// Synchronization now!) or by the timer. The run itself lives in sync/; the
// window shows its steps in the status line and the copy progress in the
// title and on the taskbar button, stays painted and answering while its
// input is off, and says at the end which files could not be copied.

#include "app/copy_failures_message.h"
#include "app/taskbar_progress.h"
#include "app/varnholt_dlg.h"
#include "base/scope_exit.h"
#include "framework/message_pump.h"
#include "i18n/catalogue_format.h"
#include "i18n/text_ids.h"
#include "sync/run_log.h"
#include "sync/sync_run.h"

namespace varnholt {

namespace {

// The window while a run works: a run under way, input off (as a modal
// dialog turns its owner's off: painting, the tray and timer ticks still
// arrive), and the copy progress shown. Everything comes back as the run
// found it when it ends, also when it fails: a run started by a tick while a
// modal box of the window is open (About, a message) leaves the window
// disabled, as that box wants it until it closes. A message box answered
// during the run turns the window back on as it closes: that stays. (A box
// merely hidden, as Windows hides the boxes of a minimised window, is still
// open and keeps it disabled.)
class RunningWindow {
public:
    RunningWindow(CWnd window, bool& runUnderWay)
        : m_window(window), m_runUnderWay(runUnderWay), m_focus(::GetFocus()),
          m_enabled(window.IsWindowEnabled()), m_title(window.GetWindowText()),
          m_taskbar(window.m_hWnd) {
        m_runUnderWay = true;
        m_window.EnableWindow(false);
    }
    ~RunningWindow() {
        m_window.SetWindowText(m_title);
        m_window.EnableWindow(m_enabled || m_window.IsWindowEnabled());
        if (m_focus != nullptr && ::IsWindow(m_focus)) {
            ::SetFocus(m_focus);
        }
        m_runUnderWay = false;
    }
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    void ShowProgress(std::size_t done, std::size_t total) {
        m_window.SetWindowText(total == 0 ? m_title
                                          : m_title + L" (" + std::to_wstring(done) + L"/" +
                                                std::to_wstring(total) + L")");
        m_taskbar.Show(done, total);
    }

private:
    CWnd m_window;
    bool& m_runUnderWay;
    HWND m_focus;
    bool m_enabled;
    std::wstring m_title;
    TaskbarProgress m_taskbar;
};

} // namespace

void CVarnholtDlg::OnStartSyncNow() {
    // Something inside a run that lets messages through must not start
    // another run over the lists in use.
    if (m_runUnderWay) {
        return;
    }
    // A click while Add waits for its folders: the lists hold a pair not yet
    // whole.
    if (SayPairIncomplete()) {
        return;
    }
    // Read now: a tick while a message below is open runs and ends a
    // scheduled run of its own, which clears the flag.
    const bool scheduled = m_scheduledRun;
    RunLog log(m_power.GetProgramDirectory(), scheduled ? m_scheduledStart : RunStart::ByHand,
               CurrentFileTime());
    RunReport report;
    {
        RunningWindow running(*this, m_runUnderWay);
        RunCallbacks callbacks;
        callbacks.step = [this](RunStep step) {
            switch (step) {
            case RunStep::PassStarts:
                m_status = FormatCataloguePlain(m_translation.GetText(text::kPassStarts));
                break;
            case RunStep::ScanningFolders:
                m_status = m_translation.GetText(text::kScanningFolders);
                break;
            case RunStep::CopyingFiles:
                m_status = m_translation.GetText(text::kCopyingFiles);
                break;
            }
            PushFieldsAndPaintStatus();
        };
        callbacks.progress = [&running](std::size_t done, std::size_t total) {
            running.ShowProgress(done, total);
        };
        callbacks.idle = [] { DispatchWaitingMessages(); };
        callbacks.copied = [&log](const std::wstring& from, const std::wstring& to, bool back) {
            log.Copied(from, to, back);
        };
        callbacks.pairSkipped = [this](const std::wstring& folder) {
            m_status = FormatCatalogueText(
                m_translation.GetTextOr(text::kPairSkipped,
                                        L"%s is not there: its pair is skipped."),
                folder);
            PushFieldsAndPaintStatus();
        };
        report = RunSynchronization(m_folders1, m_folders2, callbacks);
    }
    NoteVolumeChanges(report.absentFolders, log);
    for (const CopyFailure& failure : report.failures) {
        log.Failed(failure.from, failure.to, CopyFailureCauseText(m_translation, failure.cause));
    }
    log.Finish(report.copied - report.copiedBack, report.copiedBack, report.failures.size(),
               CurrentFileTime());

    if (m_exitAfterRun) {
        // The tray's exit came during the run: it ends the program now.
        PostMessage(WM_COMMAND, ID_TRAY_EXIT);
        return;
    }
    std::size_t failedAsBefore = 0;
    if (scheduled && IsInTray()) {
        // Nobody is looking: a notice at the icon instead of a box over
        // whatever the user does, and none for what was said already.
        NoticeFailures(report.failures);
    } else if (report.failures.empty()) {
        m_listedFailures.Forget(); // all copied: a failure later is news again
    } else if (!m_failuresShown) {
        // A scheduled run that fails only where a list has said so already
        // (a file held open all day) says it in the status line, not in a
        // box every minute; a run by hand always shows its list.
        if (m_listedFailures.Tell(report.failures) || !scheduled) {
            ShowCopyFailures(report.failures);
        } else {
            failedAsBefore = report.failures.size();
        }
    }
    if (scheduled) {
        m_failedAsBefore = failedAsBefore;
    }
    if (HasEnded()) {
        return; // the tray's exit came while the list was open
    }
    if (!scheduled) {
        ShowMessage(m_translation.GetText(text::kRunFinishedMessage));
    }
    m_status = m_translation.GetText(text::kRunFinishedStatus);
    PushFieldsAndPaintStatus();
}

void CVarnholtDlg::RunOnSchedule(std::int32_t interval, RunStart how) {
    // Timer 1 rests during the run, so the next tick comes a full minute
    // after it. It starts again, and the schedule stays on, also when the
    // run fails.
    KillTimer(kScheduleTimer);
    const ScopeExit restart([this] {
        if (!HasEnded()) {
            SetTimer(kScheduleTimer, kScheduleTimerPeriod);
        }
    });
    {
        const auto scheduled = FlagForScope(m_scheduledRun);
        m_scheduledStart = how;
        OnStartSyncNow();
    }
    if (HasEnded()) {
        return;
    }
    m_status = FormatCatalogueNumber(m_translation.GetText(text::kMinutesUntilRun), interval);
    UpdateData(FALSE);
    UpdateSchedule();
    if (m_failedAsBefore > 0) {
        // The list was not shown again: the status line says it instead,
        // until the next tick's countdown.
        m_status =
            FormatCatalogueNumber(m_translation.GetTextOr(text::kStillNotCopied,
                                                          L"%d file(s) still could not be copied."),
                                  static_cast<std::int32_t>(m_failedAsBefore));
        UpdateData(FALSE);
    }
}

void CVarnholtDlg::NoteVolumeChanges(const std::vector<std::wstring>& absent, RunLog& log) {
    // Said when it changes, not at every run: a stick left out for a day
    // gives one line when it goes and one when it is back.
    const std::set<std::wstring> now(absent.begin(), absent.end());
    for (const std::wstring& folder : now) {
        if (!m_absentFolders.contains(folder)) {
            log.PairSkipped(folder);
        }
    }
    for (const std::wstring& folder : m_absentFolders) {
        if (!now.contains(folder)) {
            log.PairBack(folder);
        }
    }
    m_absentFolders = now;
}

void CVarnholtDlg::NoticeFailures(const std::vector<CopyFailure>& failures) {
    // Only what was not announced since the window was last shown.
    if (!m_announcedFailures.Tell(failures)) {
        return;
    }
    m_noticedFailures = failures;
    m_trayIcon.Notify(
        m_translation.GetText(text::kMessageCaption),
        FormatCatalogueNumber(
            m_translation.GetTextOr(text::kFailuresNotice, L"%d file(s) could not be copied."),
            static_cast<std::int32_t>(failures.size())));
}

void CVarnholtDlg::ShowCopyFailures(const std::vector<CopyFailure>& failures) {
    // A timer run that ends while an earlier list is still open adds none.
    if (m_failuresShown) {
        return;
    }
    const auto shown = FlagForScope(m_failuresShown);
    // Some files copied and some not: the warning sign of a partial failure.
    ShowMessage(CopyFailuresMessage(failures, m_translation), MB_ICONWARNING);
}

void CVarnholtDlg::PushFieldsAndPaintStatus() {
    UpdateData(FALSE);
    // The run keeps the message loop busy between files only now and then:
    // paint the status line now, so each text is seen.
    GetDlgItem(IDC_STATUS).UpdateWindow();
}

} // namespace varnholt
