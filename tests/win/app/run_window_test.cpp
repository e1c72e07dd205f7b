// The run as the main window shows it: the files it could not copy, listed in
// one message at its end; the window answering and showing progress while
// its input is off; no second run inside a run; the tray's exit chosen while
// a run works.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "tests/support/fixture_path.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_watcher.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

const wchar_t kPassStarts[] = L"Synchronization running, please wait ...";
const wchar_t kScanning[] = L"Scanning folders ...";
const wchar_t kCopying[] = L"Copying newer files ...";

// Runs `react` each time a window is given a text, from inside the run.
class TextWatch {
public:
    using React = std::function<void(const std::wstring&)>;
    TextWatch(HWND window, React react) : m_window(window), m_react(std::move(react)) {
        SetWindowSubclass(m_window, &Proc, 3, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TextWatch() { RemoveWindowSubclass(m_window, &Proc, 3); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_SETTEXT) {
            reinterpret_cast<TextWatch*>(data)->m_react(reinterpret_cast<const wchar_t*>(lParam));
        }
        return result;
    }
    HWND m_window;
    React m_react;
};

class RunWindowTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::wstring a = folder.MakeFolder(L"a");
    std::wstring b = folder.MakeFolder(L"b");

    void SetUp() override {
        folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", b + L"\\...*"}});
    }
    void NewerOnA(const std::wstring& name, const std::string& content = "new") {
        WriteFileBytes(a + L"\\" + name, content);
        SetLocalModificationTime(a + L"\\" + name, 2020, 5, 6, 7, 8);
    }
    // A folder on the second side where the first side has the file.
    void FolderInTheWay(const std::wstring& name) {
        NewerOnA(name);
        folder.MakeFolder(L"b\\" + name);
        WriteFileBytes(b + L"\\" + name + L"\\keep.txt", "keep");
        SetLocalModificationTime(b + L"\\" + name + L"\\keep.txt", 2020, 5, 6, 7, 8);
        SetLocalModificationTime(b + L"\\" + name, 2001, 1, 1, 0, 0);
        // The pass back finds a file where "keep.txt" needs a folder.
    }
};

TEST_F(RunWindowTest, FileHeldOpenIsListedBeforeTheClosingMessageAndItsTargetStaysWhole) {
    NewerOnA(L"report.txt", "fresh");
    WriteFileBytes(b + L"\\report.txt", "old");
    SetLocalModificationTime(b + L"\\report.txt", 2010, 1, 1, 0, 0);
    NewerOnA(L"other.txt");
    MainWindow window;
    UniqueFile held(CreateFileW((b + L"\\report.txt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    held.close();

    ASSERT_EQ(answerer.Count(), 2u);
    const ShownDialog& list = answerer.Shown()[0];
    EXPECT_EQ(list.caption, L"Oskenby Varnholt");
    EXPECT_EQ(list.text, L"1 file(s) could not be copied:\n\n" + a + L"\\report.txt\n-> " + b +
                             L"\\report.txt\nThe file is in use by another program.");
    EXPECT_EQ(list.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(list.HasWarningIcon());
    EXPECT_EQ(list.owner, window.Handle());
    EXPECT_EQ(answerer.Shown()[1].text, L"Synchronization is complete.");
    EXPECT_EQ(ReadFileBytes(b + L"\\report.txt"), "old");
    EXPECT_EQ(ReadFileBytes(b + L"\\other.txt"), "new");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"Synchronization complete.");
}

// A program still writing the file while the run copies it: the list names
// it, and the target stays as it was.
TEST_F(RunWindowTest, FileThatChangesWhileItIsCopiedIsNamedAndItsTargetStays) {
    NewerOnA(L"log.txt", "first");
    const std::wstring source = a + L"\\log.txt";
    BeforeReplaceScope writer([&](const std::wstring&, const std::wstring& target) {
        if (target == b + L"\\log.txt") {
            WriteFileBytes(source, "first and more");
        }
        return FileFault::None;
    });
    MainWindow window;
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);

    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Shown()[0].text, L"1 file(s) could not be copied:\n\n" + source + L"\n-> " +
                                            b +
                                            L"\\log.txt\nThe file changed while it was copied.");
    EXPECT_TRUE(std::filesystem::is_empty(b)); // no copy, no temporary file
}

// A pair whose second folder is a host-side fixture: a read-only disk, or one
// with room for 64 KiB only.
class RunOntoFixtureTest : public RunWindowTest {
protected:
    // Empty (and the test skipped) when the fixture could not be made.
    std::wstring Fixture(const wchar_t* name, const wchar_t* missingMarker) {
        const std::wstring path = HostFixturePath(name);
        if (path.empty() ||
            GetFileAttributesW(HostFixturePath(missingMarker).c_str()) != INVALID_FILE_ATTRIBUTES) {
            return std::wstring();
        }
        folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", path + L"\\...*"}});
        return path;
    }
    std::wstring ListShown() {
        MainWindow window;
        MessageBoxAnswerer answerer;
        window.Click(IDC_SYNC_NOW);
        return answerer.Count() == 2 ? answerer.Shown()[0].text : L"(no list)";
    }
};

TEST_F(RunOntoFixtureTest, ReadOnlyDiskIsListedAsAccessDenied) {
    const std::wstring disk = Fixture(L"readonly", L"no-readonly-disk");
    if (disk.empty()) {
        GTEST_SKIP() << "no read-only file system could be mounted for this test";
    }
    NewerOnA(L"old.txt", "fresh");
    EXPECT_EQ(ListShown(), L"1 file(s) could not be copied:\n\n" + a + L"\\old.txt\n-> " + disk +
                               L"\\old.txt\nAccess was denied.");
    EXPECT_EQ(ReadFileBytes(disk + L"\\old.txt"), "old\n");
}

TEST_F(RunOntoFixtureTest, FullDiskIsListedAndLeavesNoPartOfTheFile) {
    const std::wstring disk = Fixture(L"small", L"no-small-disk");
    if (disk.empty()) {
        GTEST_SKIP() << "no small file system could be mounted for this test";
    }
    NewerOnA(L"big.bin", std::string(200000, 'b'));
    EXPECT_EQ(ListShown(), L"1 file(s) could not be copied:\n\n" + a + L"\\big.bin\n-> " + disk +
                               L"\\big.bin\nThere is not enough space on the disk.");
    EXPECT_FALSE(FileExists(disk + L"\\big.bin"));
}

TEST_F(RunWindowTest, MoreThanTenFailuresListTenAndCountTheRestInTheChosenLanguage) {
    for (int i = 0; i < 12; ++i) {
        FolderInTheWay(L"clash" + std::to_wstring(10 + i));
    }
    folder.WriteConfig(
        {{L"Folders1", a + L"\\...*"}, {L"Folders2", b + L"\\...*"}, {L"Language", L"[1031]"}});
    MainWindow window;
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    ASSERT_GE(answerer.Count(), 1u);
    const std::wstring& text = answerer.Shown()[0].text;
    // 12 folders in the way, and their 12 files find a file in the way back.
    EXPECT_EQ(text.rfind(L"24 Datei(en) konnte(n) nicht kopiert werden:\n\n", 0), 0u) << text;
    EXPECT_NE(text.find(a + L"\\clash10\n-> " + b + L"\\clash10\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"Ein Ordner mit demselben Namen ist bereits vorhanden."),
              std::wstring::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'>'), 10);
    EXPECT_NE(text.find(L"\n\n... und 14 weitere."), std::wstring::npos) << text;
    EXPECT_TRUE(GetFileAttributesW((b + L"\\clash10").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(RunWindowTest, LanguageFileWithoutTheNewTextsStillGivesAnEnglishList) {
    FolderInTheWay(L"clash");
    folder.RemoveLanguageEntries(155, 199);
    MainWindow window;
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    ASSERT_GE(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text.rfind(L"2 file(s) could not be copied:\n\n", 0), 0u);
    EXPECT_NE(answerer.Shown()[0].text.find(L"A folder of the same name is in the way."),
              std::wstring::npos);
}

TEST_F(RunWindowTest, ScheduledRunsListFailuresButNeverOverAnOpenList) {
    FolderInTheWay(L"clash");
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    MainWindow window;
    MessageBoxAnswerer answerer;
    HWND main = window.Handle();
    answerer.Do([main](const ShownDialog& shown) {
        // A minute passes while the list is open: the run fails again.
        SendMessageW(main, WM_TIMER, 1, 0);
        MessageBoxAnswerer::PressButton(shown.window, IDOK);
    });
    SendMessageW(main, WM_TIMER, 1, 0);
    PumpPending();
    ASSERT_EQ(answerer.Count(), 1u); // no closing message after a timer run
    EXPECT_EQ(answerer.Shown()[0].text.rfind(L"2 file(s) could not be copied:", 0), 0u);
    // Closed: the same failures at the next run are said in the status line
    // only; another file that fails brings the list back.
    SendMessageW(main, WM_TIMER, 1, 0);
    PumpPending();
    EXPECT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"2 file(s) still could not be copied.");
    FolderInTheWay(L"other");
    SendMessageW(main, WM_TIMER, 1, 0);
    PumpPending();
    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Shown()[1].text.rfind(L"4 file(s) could not be copied:", 0), 0u);
    // Back to the first two: listed already, no box.
    DeleteFileW((a + L"\\other").c_str());
    SendMessageW(main, WM_TIMER, 1, 0);
    PumpPending();
    EXPECT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"2 file(s) still could not be copied.");
}

TEST_F(RunWindowTest, WindowAnswersWithInputOffShowsProgressAndStartsNoSecondRun) {
    for (int i = 0; i < 5; ++i) {
        NewerOnA(L"f" + std::to_wstring(i) + L".txt");
    }
    MainWindow window;
    window.Command(ID_MINIMIZE_TO_TRAY);
    HWND main = window.Handle();
    int passes = 0;
    bool enabledDuringRun = true;
    bool shownDuringRun = false;
    TextWatch status(GetDlgItem(main, IDC_STATUS), [&](const std::wstring& text) {
        if (text == kPassStarts) {
            ++passes;
        } else if (text == kCopying && passes == 1) {
            enabledDuringRun = IsWindowEnabled(main) != FALSE;
            // A click on the tray icon and a second click on the button,
            // both handled by the waiting messages the run lets through.
            PostMessageW(main, WM_USER + 1, 1, WM_LBUTTONDOWN);
            PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_SYNC_NOW, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_SYNC_NOW)));
        } else if (text == kScanning && passes == 2) {
            shownDuringRun = IsWindowVisible(main) != FALSE;
        }
    });
    std::vector<std::wstring> titles;
    TextWatch title(main, [&](const std::wstring& text) { titles.push_back(text); });
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);

    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(shownDuringRun);
    EXPECT_EQ(passes, 2); // one run: its two passes, and no more
    EXPECT_EQ(answerer.Count(), 1u);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_NE(std::find(titles.begin(), titles.end(), L"Oskenby Varnholt (5/5)"), titles.end());
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), L"Oskenby Varnholt");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"Synchronization complete.");
}

// Runs `action` from a box's own message loop once the box is shown (the
// answerer meets message boxes before they show).
void WhenShown(HWND box, std::function<void()> action) {
    static std::function<void()> pending;
    pending = std::move(action);
    SetTimer(box, 1, 10, [](HWND window, UINT, UINT_PTR id, DWORD) {
        KillTimer(window, id);
        std::exchange(pending, nullptr)();
    });
}

// A tick that runs while a modal box of the window is open leaves the window
// disabled, as the box wants it, until the box closes: the About box, and
// the message of Remove without a selection, also when the box is answered
// during the run.
TEST_F(RunWindowTest, ARunInsideAModalBoxLeavesTheWindowAsTheBoxWantsIt) {
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    for (const bool about : {true, false}) {
        for (const bool closedDuringRun : {false, true}) {
            NewerOnA(L"x.txt");
            MainWindow window;
            HWND main = window.Handle();
            BOOL enabledAfterRun = TRUE;
            const auto tickThenClose = [&](HWND box) {
                TextWatch status(GetDlgItem(main, IDC_STATUS), [&](const std::wstring& text) {
                    if (closedDuringRun && text == kCopying) {
                        SendMessageW(box, WM_COMMAND, IDOK, 0);
                    }
                });
                SendMessageW(main, WM_TIMER, 1, 0);
                enabledAfterRun = IsWindowEnabled(main);
                PostClick(box, IDOK);
            };
            if (about) {
                WindowWatcher watcher(L"#32770", L"About ...", tickThenClose);
                window.Command(ID_ABOUT);
            } else {
                MessageBoxAnswerer answerer;
                answerer.Do([&](const ShownDialog& shown) {
                    WhenShown(shown.window, [&, box = shown.window] { tickThenClose(box); });
                });
                window.Click(IDC_REMOVE);
            }
            const std::string box = about ? "About" : "Remove";
            EXPECT_TRUE(closedDuringRun || !enabledAfterRun) << box;
            EXPECT_TRUE(IsWindowEnabled(main)) << box;
            EXPECT_EQ(ReadFileBytes(b + L"\\x.txt"), "new") << box;
            DeleteFileW((b + L"\\x.txt").c_str());
        }
    }
}

// The tray's exit chosen while a tick waits in its box (in the tray the
// failures of a run are a notice; the error of a tick is still a box) ends
// the program: no other box, nothing written.
TEST_F(RunWindowTest, TrayExitOverATicksBoxEndsTheProgramWithoutAnotherBox) {
    folder.WriteConfig({{L"SyncInterval", L"5"}, {L"NextSync", L"1"}});
    MainWindow window;
    HWND main = window.Handle();
    window.Command(ID_MINIMIZE_TO_TRAY);
    folder.RemoveConfig();
    MessageBoxAnswerer answerer;
    answerer.Do([main](const ShownDialog&) { PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0); });
    SendMessageW(main, WM_TIMER, 1, 0);
    PumpPending();
    EXPECT_FALSE(IsWindow(main));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, folder.ConfigPath() + L" was not found.");
    EXPECT_FALSE(FileExists(folder.ConfigPath()));
}

// While the window waits in the tray, a scheduled run's failures are a
// notice at the icon, not a box; the same failures again give none; clicking
// the notice brings the window back with the list.
TEST_F(RunWindowTest, FailuresOfARunInTheTrayAreANoticeGivenOnce) {
    FolderInTheWay(L"clash");
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    MainWindow window;
    HWND main = window.Handle();
    window.Command(ID_MINIMIZE_TO_TRAY);
    MessageBoxAnswerer answerer;
    for (int tick = 0; tick < 3; ++tick) { // a run at every tick, the same two failures
        SendMessageW(main, WM_TIMER, 1, 0);
    }
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_EQ(window.Dlg().State().trayNotices, 1);
    EXPECT_EQ(window.Dlg().State().trayNotice, L"2 file(s) could not be copied.");

    SendMessageW(main, WM_USER + 1, 1, NIN_BALLOONUSERCLICK);
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(main));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text.rfind(L"2 file(s) could not be copied:", 0), 0u);
}

// A pair on a drive letter that points nowhere (a stick that is out) is left
// out quietly at every tick: no box, no failure, one line in the log. When
// the drive arrives, a run follows within seconds, as a scheduled run.
TEST_F(RunWindowTest, APairOnADriveThatIsOutWaitsQuietlyUntilTheDriveArrives) {
    const std::wstring drive = HostFixturePath(L"q-drive");
    if (drive.empty() || FileExists(HostFixturePath(L"no-q-drive"))) {
        GTEST_SKIP() << "no drive letter Q: from the host fixtures";
    }
    NewerOnA(L"photo.jpg");
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", L"Q:\\Photos\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    MainWindow window;
    HWND main = window.Handle();
    MessageBoxAnswerer answerer;
    for (int tick = 0; tick < 60; ++tick) {
        SendMessageW(main, WM_TIMER, 1, 0);
    }
    EXPECT_EQ(answerer.Count(), 0u);
    const std::wstring log = folder.File(L"Varnholt.log");
    const std::string idle = ReadFileBytes(log);
    EXPECT_EQ(std::count(idle.begin(), idle.end(), '\n'), 1);
    EXPECT_NE(idle.find("not there, its pair skipped: Q:\\Photos"), std::string::npos);

    ASSERT_TRUE(CreateDirectoryW(drive.c_str(), nullptr));
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (L'Q' - L'A');
    SendMessageW(main, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!FileExists(L"Q:\\Photos\\photo.jpg") && GetTickCount64() < deadline) {
        PumpPending();
        Sleep(50);
    }
    EXPECT_EQ(ReadFileBytes(L"Q:\\Photos\\photo.jpg"), "new");
    EXPECT_EQ(answerer.Count(), 0u); // a scheduled run: no closing message
    const std::string after = ReadFileBytes(log);
    EXPECT_NE(after.find("there again: Q:\\Photos"), std::string::npos);
    EXPECT_NE(after.find("run when a drive arrived: 1 copied first to second"), std::string::npos);
    std::filesystem::remove_all(drive);
}

TEST_F(RunWindowTest, TrayExitChosenDuringARunEndsTheProgramOnceTheRunIsDone) {
    for (int i = 0; i < 3; ++i) {
        NewerOnA(L"f" + std::to_wstring(i) + L".txt");
    }
    MainWindow window;
    HWND main = window.Handle();
    TextWatch status(GetDlgItem(main, IDC_STATUS), [&](const std::wstring& text) {
        if (text == kCopying) {
            PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
        }
    });
    MessageBoxAnswerer answerer;
    window.Click(IDC_SYNC_NOW);
    PumpPending();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(answerer.Count(), 0u); // ended without the closing message
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ReadFileBytes(b + L"\\f" + std::to_wstring(i) + L".txt"), "new");
    }
}

} // namespace
} // namespace varnholt::test
