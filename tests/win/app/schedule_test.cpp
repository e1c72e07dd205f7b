// The interval schedule on the real main window: ticks of timer 1 are sent
// by the test (never waited for), the interval fields are typed into, and
// runs are seen by the files they copy.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "framework/single_instance.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

const wchar_t kNoRun[] = L"No automatic synchronization planned.";

std::wstring Countdown(int minutes) {
    return L"Next synchronization in " + std::to_wstring(minutes) + L" minute(s).";
}
std::wstring Every(const std::wstring& minutes) {
    return L"Automatic synchronization every " + minutes + L" minute(s).";
}

class ScheduleTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::wstring a = folder.MakeFolder(L"a");
    std::wstring b = folder.MakeFolder(L"b");

    // One pair a <-> b and the countdown as stored.
    void Settings(const wchar_t* interval, const wchar_t* next,
                  const wchar_t* startup = L"manually") {
        folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                            {L"Folders2", b + L"\\...*"},
                            {L"SyncInterval", interval},
                            {L"NextSync", next},
                            {L"Startup", startup}});
    }
    // A new file on the first side; true once a run has copied it over.
    std::wstring NewFile() {
        const std::wstring name = L"f" + std::to_wstring(++m_files) + L".txt";
        WriteFileBytes(a + L"\\" + name, "x");
        return b + L"\\" + name;
    }
    static void Tick(MainWindow& window) {
        SendMessageW(window.Handle(), WM_TIMER, 1, 0);
        PumpPending();
    }
    // Types into an edit as the keyboard would, one character at a time.
    static void Type(MainWindow& window, int id, const std::wstring& text) {
        HWND edit = GetDlgItem(window.Handle(), id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) {
            SendMessageW(edit, WM_CHAR, c, 0);
        }
        PumpPending();
    }

private:
    int m_files = 0;
};

TEST_F(ScheduleTest, IntervalOfOneMinuteRunsAtEveryTickWithoutAClosingMessage) {
    Settings(L"1", L"1");
    MainWindow window;
    MessageBoxAnswerer answerer;
    for (int tick = 0; tick < 2; ++tick) {
        const std::wstring copied = NewFile();
        Tick(window);
        EXPECT_TRUE(FileExists(copied)) << "tick " << tick;
        EXPECT_EQ(window.ControlText(IDC_STATUS), Every(L"1"));
        EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"1");
        EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"1");
    }
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_FALSE(window.Dlg().State().scheduledRun);
}

TEST_F(ScheduleTest, IntervalOfThreeMinutesCountsDownAndRunsOnTheThirdTick) {
    Settings(L"3", L"3");
    MainWindow window;
    const std::wstring copied = NewFile();
    Tick(window);
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(2));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"2");
    Tick(window);
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(1));
    EXPECT_FALSE(FileExists(copied));
    Tick(window);
    EXPECT_TRUE(FileExists(copied));
    EXPECT_EQ(window.ControlText(IDC_STATUS), Every(L"3"));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"3");
}

TEST_F(ScheduleTest, CountAboveTheIntervalIsShownOnceAndStoredCapped) {
    Settings(L"5", L"100");
    MainWindow window;
    Tick(window);
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(99));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"5");
}

TEST_F(ScheduleTest, StoredZeroCountsToMinusOneThenRunsOnTheNextTick) {
    Settings(L"10", L"0");
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_STATUS), kNoRun);
    const std::wstring copied = NewFile();
    Tick(window);
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(-1));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"-1");
    Tick(window);
    EXPECT_TRUE(FileExists(copied));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"10");
}

TEST_F(ScheduleTest, NoIntervalMeansTicksChangeNothing) {
    Settings(L"0", L"7");
    MainWindow window;
    const std::string before = ReadFileBytes(folder.ConfigPath());
    const std::wstring copied = NewFile();
    Tick(window);
    Tick(window);
    EXPECT_EQ(ReadFileBytes(folder.ConfigPath()), before);
    EXPECT_FALSE(FileExists(copied));
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(7));
}

TEST_F(ScheduleTest, RestartGoesOnFromTheStoredCount) {
    Settings(L"60", L"8");
    {
        MainWindow window;
        Tick(window);
    }
    // Closed, and started again a day later: the count paused meanwhile.
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(7));
    Tick(window);
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(6));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"6");
}

TEST_F(ScheduleTest, AutomaticStartShowsTheWindowUntilTheFirstTickThenWaitsInTheTray) {
    Settings(L"0", L"0", L"automatically");
    MainWindow window;
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    Tick(window);
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(window.Dlg().IsInTray());
    EXPECT_EQ(folder.ReadConfig(L"Startup"), L"manually");

    // Only the first tick looks at the mark.
    SendMessageW(window.Handle(), WM_USER + 1, 1, WM_LBUTTONDOWN);
    folder.WriteConfig({{L"Startup", L"automatically"}});
    Tick(window);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(folder.ReadConfig(L"Startup"), L"automatically");
}

TEST_F(ScheduleTest, AutomaticStartAskedForByALaterStartStaysShownAndTakesTheMark) {
    Settings(L"0", L"0", L"automatically");
    MainWindow window;
    SendMessageW(window.Handle(), ShowInstanceMessage(), 0, 0);
    Tick(window);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(window.Dlg().IsInTray());
    EXPECT_EQ(folder.ReadConfig(L"Startup"), L"manually");
}

TEST_F(ScheduleTest, MarkInOtherLetterCaseIsNotAnAutomaticStart) {
    Settings(L"0", L"0", L"Automatically");
    MainWindow window;
    Tick(window);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(window.Dlg().IsInTray());
    EXPECT_EQ(folder.ReadConfig(L"Startup"), L"Automatically");
}

TEST_F(ScheduleTest, TypingIntoEachFieldStoresTheIntervalAndRestartsTheCountdown) {
    Settings(L"0", L"0");
    MainWindow window;
    Type(window, IDC_MINUTES, L"5");
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"5");
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"5");
    EXPECT_EQ(window.ControlText(IDC_STATUS), Every(L"5"));
    Type(window, IDC_HOURS, L"2");
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"125");
    Type(window, IDC_DAYS, L"1");
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"1565");
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"1565");
    Type(window, IDC_MINUTES, L"1a"); // "a" counts as the digit 0
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"1570");

    for (int id : {IDC_DAYS, IDC_HOURS, IDC_MINUTES}) {
        Type(window, id, L"");
    }
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"0");
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"0");
    EXPECT_EQ(window.ControlText(IDC_STATUS), kNoRun);
}

TEST_F(ScheduleTest, TheWindowsOwnChangesOfTheFieldsStoreNothing) {
    // The start-up sequence and every tick fill the fields themselves; only
    // the user's changes may restart the countdown.
    Settings(L"90", L"7");
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_HOURS), L"1");
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"7");
    Tick(window);
    window.Dlg().OnInitDialog();
    PumpPending();
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"6");
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"90");
}

TEST_F(ScheduleTest, IntervalBeyondTheLargestIntegerWrapsAndReadsBackWithoutItsSign) {
    Settings(L"0", L"0");
    MainWindow window;
    Type(window, IDC_DAYS, L"1491309"); // 2147484960 minutes
    EXPECT_EQ(folder.ReadConfig(L"SyncInterval"), L"-2147482336");
    EXPECT_EQ(window.ControlText(IDC_STATUS), Every(L"-2147482336"));
    Tick(window); // read back by digit places: 2147482336
    EXPECT_EQ(window.ControlText(IDC_STATUS), Countdown(2147482335));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"2147482335");
}

TEST_F(ScheduleTest, TickWhileAMessageBoxIsOpenStillRuns) {
    Settings(L"1", L"1");
    MainWindow window;
    const std::wstring copied = NewFile();
    MessageBoxAnswerer answerer;
    HWND main = window.Handle();
    answerer.Do([main](const ShownDialog& shown) {
        SendMessageW(main, WM_TIMER, 1, 0);
        MessageBoxAnswerer::PressButton(shown.window, IDOK);
    });
    window.Click(IDC_REMOVE); // nothing selected: a message box
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"Please select the folder pair that you want to remove.");
    EXPECT_TRUE(FileExists(copied));
}

TEST_F(ScheduleTest, FailedScheduledRunIsShownAndTheScheduleStaysOn) {
    // The first list one entry longer, as while Add waits for the second folder.
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + b + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    MainWindow window;
    {
        MessageBoxAnswerer answerer;
        Tick(window);
        ASSERT_EQ(answerer.Count(), 1u);
        EXPECT_EQ(answerer.Shown()[0].text, L"An invalid argument was encountered.");
        EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    }
    EXPECT_FALSE(window.Dlg().State().scheduledRun);
    EXPECT_TRUE(KillTimer(window.Handle(), 1)); // timer 1 runs again
    SetTimer(window.Handle(), 1, 60000, nullptr);

    // Once the lists agree, a hand run shows its closing message and the next
    // tick runs without one.
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + b + L"\\...*"},
                        {L"Folders2", b + L"\\...*" + a + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    window.Dlg().LoadFolderPairs();
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"Synchronization is complete.");
    const std::wstring copied = NewFile();
    Tick(window);
    EXPECT_TRUE(FileExists(copied));
    EXPECT_EQ(answerer.Count(), 1u);
}

TEST_F(ScheduleTest, MissingSettingsFileIsReportedOnceWhileItsBoxIsOpen) {
    Settings(L"1", L"5");
    MainWindow window;
    folder.RemoveConfig();
    MessageBoxAnswerer answerer;
    HWND main = window.Handle();
    answerer.Do([main](const ShownDialog& shown) {
        // Two more minutes pass while the box is open.
        SendMessageW(main, WM_TIMER, 1, 0);
        SendMessageW(main, WM_TIMER, 1, 0);
        MessageBoxAnswerer::PressButton(shown.window, IDOK);
    });
    Tick(window);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, folder.ConfigPath() + L" was not found.");
    EXPECT_EQ(answerer.Shown()[0].owner, window.Handle());
    // Closed, and the file is still gone: the next tick reports it again.
    Tick(window);
    EXPECT_EQ(answerer.Count(), 2u);
}

// Sends a tick from inside a run, when the status line says files are
// being copied: as if something in the run let messages through.
class TickDuringCopy {
public:
    explicit TickDuringCopy(HWND main) : m_main(main) {
        SetWindowSubclass(GetDlgItem(main, IDC_STATUS), &Proc, 2,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    ~TickDuringCopy() { RemoveWindowSubclass(GetDlgItem(m_main, IDC_STATUS), &Proc, 2); }
    int passes = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        auto* self = reinterpret_cast<TickDuringCopy*>(data);
        if (message == WM_SETTEXT) {
            const std::wstring text = reinterpret_cast<const wchar_t*>(lParam);
            if (text == L"Synchronization running, please wait ...") {
                ++self->passes;
            } else if (text == L"Copying newer files ...") {
                SendMessageW(self->m_main, WM_TIMER, 1, 0);
            }
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND m_main;
};

TEST_F(ScheduleTest, TickDuringARunStartsNoSecondRunAndTheCountdownWaits) {
    Settings(L"1", L"1");
    MainWindow window;
    const std::wstring copied = NewFile();
    const std::wstring back = b + L"\\from-b.txt";
    WriteFileBytes(back, "b");
    TickDuringCopy ticks(window.Handle());
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    EXPECT_EQ(ticks.passes, 2); // one run: two passes
    EXPECT_TRUE(FileExists(copied));
    EXPECT_TRUE(FileExists(a + L"\\from-b.txt"));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"1");
    ASSERT_EQ(answerer.Count(), 1u); // the hand run's closing message
    EXPECT_EQ(answerer.Shown()[0].text, L"Synchronization is complete.");
}

} // namespace
} // namespace varnholt::test
