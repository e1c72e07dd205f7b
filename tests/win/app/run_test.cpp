// Whole synchronization runs through the real main window, on real folder
// trees with modification times set on purpose.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/handles.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

bool SameTime(const FILETIME& x, const FILETIME& y) {
    return x.dwLowDateTime == y.dwLowDateTime && x.dwHighDateTime == y.dwHighDateTime;
}

// Records every text the status line is given.
class StatusRecorder {
public:
    explicit StatusRecorder(HWND status) : m_status(status) {
        SetWindowSubclass(m_status, &Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~StatusRecorder() { RemoveWindowSubclass(m_status, &Proc, 1); }
    // The texts in order, a text set again unchanged counted once.
    const std::vector<std::wstring>& Texts() const { return m_texts; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
        if (message == WM_SETTEXT) {
            auto* recorder = reinterpret_cast<StatusRecorder*>(self);
            const std::wstring text = reinterpret_cast<const wchar_t*>(lParam);
            if (recorder->m_texts.empty() || recorder->m_texts.back() != text) {
                recorder->m_texts.push_back(text);
            }
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND m_status;
    std::vector<std::wstring> m_texts;
};

class RunTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::wstring a = folder.MakeFolder(L"a");
    std::wstring b = folder.MakeFolder(L"b");

    void PairAB() {
        folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", b + L"\\...*"}});
    }

    void File(const std::wstring& path, const std::string& content, int year, int month, int day,
              int hour, int minute, int second = 0) {
        WriteFileBytes(path, content);
        SetLocalModificationTime(path, year, month, day, hour, minute, second);
    }

    // Clicks "Start Synchronization now!" and answers the closing message.
    std::vector<ShownDialog> RunByHand(MainWindow& window) {
        MessageBoxAnswerer answerer;
        window.Click(IDC_SYNC_NOW);
        return answerer.Shown();
    }
};

TEST_F(RunTest, CopiesFilesMissingOnEitherSideAtAnyDepthKeepingTheirTimes) {
    File(a + L"\\x\\y\\deep.txt", "deep", 2005, 3, 1, 10, 0);
    File(a + L"\\top.txt", "top", 2011, 7, 9, 8, 30);
    File(b + L"\\from-b.txt", "b side", 2010, 1, 2, 3, 4);
    folder.MakeFolder(L"a\\empty");
    PairAB();
    MainWindow window;
    const auto shown = RunByHand(window);

    EXPECT_EQ(ReadFileBytes(b + L"\\x\\y\\deep.txt"), "deep");
    EXPECT_TRUE(SameTime(ModificationTime(b + L"\\x\\y\\deep.txt"),
                         ModificationTime(a + L"\\x\\y\\deep.txt")));
    EXPECT_EQ(ReadFileBytes(b + L"\\top.txt"), "top");
    EXPECT_EQ(ReadFileBytes(a + L"\\from-b.txt"), "b side");
    EXPECT_TRUE(
        SameTime(ModificationTime(a + L"\\from-b.txt"), ModificationTime(b + L"\\from-b.txt")));
    // Folders without files are not reproduced; nothing else appears.
    EXPECT_FALSE(FileExists(b + L"\\empty"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Synchronization is complete.");
    EXPECT_EQ(shown[0].caption, L"Oskenby Varnholt");
}

TEST_F(RunTest, TheNewerMinuteWinsInBothDirectionsAndTheSameMinuteCopiesNothing) {
    File(a + L"\\newer-in-a.txt", "A new", 2012, 1, 1, 10, 5);
    File(b + L"\\newer-in-a.txt", "B old", 2012, 1, 1, 10, 4, 59);
    File(a + L"\\newer-in-b.txt", "A old", 2013, 6, 1, 9, 0);
    File(b + L"\\newer-in-b.txt", "B new", 2013, 6, 2, 9, 0);
    File(a + L"\\same-minute.txt", "A", 2014, 2, 3, 4, 5, 1);
    File(b + L"\\same-minute.txt", "B", 2014, 2, 3, 4, 5, 58);
    PairAB();
    MainWindow window;
    RunByHand(window);

    EXPECT_EQ(ReadFileBytes(b + L"\\newer-in-a.txt"), "A new");
    EXPECT_EQ(ReadFileBytes(a + L"\\newer-in-a.txt"), "A new");
    EXPECT_EQ(ReadFileBytes(a + L"\\newer-in-b.txt"), "B new");
    EXPECT_EQ(ReadFileBytes(b + L"\\newer-in-b.txt"), "B new");
    EXPECT_EQ(ReadFileBytes(a + L"\\same-minute.txt"), "A");
    EXPECT_EQ(ReadFileBytes(b + L"\\same-minute.txt"), "B");
    EXPECT_TRUE(SameTime(ModificationTime(a + L"\\newer-in-a.txt"),
                         ModificationTime(b + L"\\newer-in-a.txt")));
}

TEST_F(RunTest, APairOfTheSameFolderCopiesNothing) {
    File(a + L"\\one.txt", "1", 2015, 5, 5, 5, 5);
    File(a + L"\\sub\\two.txt", "2", 2016, 6, 6, 6, 6);
    const FILETIME before = ModificationTime(a + L"\\sub\\two.txt");
    folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", a + L"\\...*"}});
    MainWindow window;
    RunByHand(window);

    EXPECT_EQ(ReadFileBytes(a + L"\\sub\\two.txt"), "2");
    EXPECT_TRUE(SameTime(ModificationTime(a + L"\\sub\\two.txt"), before));
    WIN32_FIND_DATAW data;
    const UniqueFind find(FindFirstFileW((a + L"\\*").c_str(), &data));
    ASSERT_TRUE(find);
    int entries = 0;
    do {
        ++entries;
    } while (FindNextFileW(find.get(), &data));
    EXPECT_EQ(entries, 4); // ".", "..", one.txt, sub
}

// Documents <-> Documents\Backup, the second named in other letter case:
// three runs put one copy into Backup and none deeper.
TEST_F(RunTest, AFolderPairedWithOneInsideItCopiesOneLevelDeepOnly) {
    File(a + L"\\one.txt", "1", 2015, 5, 5, 5, 5);
    File(a + L"\\sub\\two.txt", "2", 2016, 6, 6, 6, 6);
    std::wstring inner = a + L"\\BACKUP";
    CharUpperW(inner.data());
    folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", inner + L"\\...*"}});
    MainWindow window;
    for (int run = 0; run < 3; ++run) {
        RunByHand(window);
    }
    EXPECT_EQ(ReadFileBytes(a + L"\\BACKUP\\sub\\two.txt"), "2");
    EXPECT_EQ(GetFileAttributesW((a + L"\\BACKUP\\BACKUP").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((a + L"\\BACKUP\\one.txt").c_str()), FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(RunTest, AShorterSecondListStopsTheRunBeforeAnyFileIsTouched) {
    File(a + L"\\only-a.txt", "a", 2015, 1, 1, 1, 1);
    const std::wstring c = folder.MakeFolder(L"c");
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + c + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"NextSync", L"9"}});
    MainWindow window;
    const std::wstring statusBefore = window.ControlText(IDC_STATUS);
    const auto shown = RunByHand(window);

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"An invalid argument was encountered.");
    EXPECT_TRUE(shown[0].HasStopIcon());
    EXPECT_FALSE(FileExists(b + L"\\only-a.txt"));
    EXPECT_EQ(window.ControlText(IDC_STATUS), statusBefore);
}

TEST_F(RunTest, StatusLineFollowsTheRunAndEndsWithTheClosingTexts) {
    File(a + L"\\f.txt", "f", 2015, 1, 1, 1, 1);
    PairAB();
    MainWindow window;
    StatusRecorder recorder(GetDlgItem(window.Handle(), IDC_STATUS));
    MessageBoxAnswerer answerer;
    std::wstring statusWhileMessageOpen;
    answerer.Do([&](const ShownDialog& dialog) {
        statusWhileMessageOpen = window.ControlText(IDC_STATUS);
        MessageBoxAnswerer::PressButton(dialog.window, IDOK);
    });
    window.Click(IDC_SYNC_NOW);

    const std::vector<std::wstring> expected{L"Synchronization running, please wait ...",
                                             L"Scanning folders ...",
                                             L"Copying newer files ...",
                                             L"Synchronization running, please wait ...",
                                             L"Scanning folders ...",
                                             L"Copying newer files ...",
                                             L"Synchronization complete."};
    EXPECT_EQ(recorder.Texts(), expected);
    EXPECT_EQ(statusWhileMessageOpen, L"Copying newer files ...");
    EXPECT_EQ(answerer.Count(), 1u);
}

TEST_F(RunTest, TheMenuCommandRunsTheSameAndATimerRunShowsNoMessage) {
    File(a + L"\\menu.txt", "m", 2015, 1, 1, 1, 1);
    folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                        {L"Folders2", b + L"\\...*"},
                        {L"SyncInterval", L"1"},
                        {L"NextSync", L"1"}});
    MainWindow window;
    {
        MessageBoxAnswerer answerer;
        window.Command(ID_SYNC_NOW);
        EXPECT_EQ(answerer.Count(), 1u);
        EXPECT_EQ(ReadFileBytes(b + L"\\menu.txt"), "m");
    }
    {
        File(a + L"\\timer.txt", "t", 2015, 1, 1, 1, 1);
        MessageBoxAnswerer answerer;
        SendMessageW(window.Handle(), WM_TIMER, kScheduleTimer, 0);
        EXPECT_EQ(answerer.Count(), 0u);
        EXPECT_EQ(ReadFileBytes(b + L"\\timer.txt"), "t");
        EXPECT_FALSE(window.Dlg().State().scheduledRun);
    }
}

TEST_F(RunTest, WithoutPairsBothPassesStillReportThemselves) {
    MainWindow window;
    StatusRecorder recorder(GetDlgItem(window.Handle(), IDC_STATUS));
    const auto shown = RunByHand(window);
    EXPECT_EQ(shown.size(), 1u);
    const std::vector<std::wstring> expected{L"Synchronization running, please wait ...",
                                             L"Synchronization complete."};
    EXPECT_EQ(recorder.Texts(), expected);
}

} // namespace
} // namespace varnholt::test
