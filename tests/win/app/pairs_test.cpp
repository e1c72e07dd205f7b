// Adding and removing folder pairs in the real main window: the messages,
// the shell's folder dialog answered as a person would, the list rows and
// the stored "Folders1" and "Folders2" values.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "tests/support/folder_dialog.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

const wchar_t kFirstMessage[] =
    L"Please choose the first folder of the new pair.\n\nIts files will be kept in step with the "
    L"second folder, which you choose next.";

// Queues the answers of a complete Add: both messages read and confirmed,
// `first` and `second` chosen in the two folder dialogs.
void AnswerAdd(MessageBoxAnswerer& answerer, const std::wstring& first,
               const std::wstring& second) {
    answerer.Press(IDOK);
    answerer.Do(ChooseFolder(first));
    answerer.Press(IDOK);
    answerer.Do(ChooseFolder(second));
}

class PairsTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::wstring a = folder.MakeFolder(L"a");
    std::wstring b = folder.MakeFolder(L"b");
};

TEST_F(PairsTest, AddShowsBothMessagesAndStoresThePair) {
    MainWindow window;
    MessageBoxAnswerer answerer;
    // The first folder is stored before the second one is asked for.
    std::wstring storedDuringSecondMessage;
    answerer.Press(IDOK);
    answerer.Do(ChooseFolder(a));
    answerer.Do([&](const ShownDialog& dialog) {
        storedDuringSecondMessage = folder.ReadConfig(L"Folders1");
        MessageBoxAnswerer::PressButton(dialog.window, IDOK);
    });
    answerer.Do(ChooseFolder(b));
    window.Click(IDC_ADD);
    EXPECT_EQ(storedDuringSecondMessage, a + L"\\...*");

    ASSERT_EQ(answerer.Count(), 4u);
    const ShownDialog& first = answerer.Shown()[0];
    EXPECT_EQ(first.text, kFirstMessage);
    EXPECT_EQ(first.caption, L"Oskenby Varnholt");
    EXPECT_EQ(first.owner, window.Handle());
    EXPECT_EQ(first.icon, nullptr);
    EXPECT_EQ(first.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(answerer.Shown()[2].text,
              L"Now please choose the second folder of the pair.\n\nNewer files are copied in both "
              L"directions; nothing is ever deleted.");

    ASSERT_EQ(window.RowCount(), 1);
    EXPECT_EQ(window.CellText(0, 0), PowerClass::ShortenText(a + L"\\...", 50, 15));
    EXPECT_EQ(window.CellText(0, 1), PowerClass::ShortenText(b + L"\\...", 50, 15));
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), a + L"\\...*");
    EXPECT_EQ(folder.ReadConfig(L"Folders2"), b + L"\\...*");

    // A restart brings the pair back.
    MainWindow restarted;
    ASSERT_EQ(restarted.RowCount(), 1);
    EXPECT_EQ(restarted.Dlg().State().folders2.GetAt(0), b + L"\\...");
}

TEST_F(PairsTest, CancellingEitherFolderDialogChangesNothing) {
    folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", b + L"\\...*"}});
    MainWindow window;
    {
        MessageBoxAnswerer answerer;
        answerer.Press(IDOK);
        answerer.Press(IDCANCEL);
        window.Click(IDC_ADD);
        EXPECT_EQ(answerer.Count(), 2u);
    }
    {
        MessageBoxAnswerer answerer;
        answerer.Press(IDOK);
        answerer.Do(ChooseFolder(b));
        answerer.Press(IDOK);
        answerer.Press(IDCANCEL);
        window.Click(IDC_ADD);
        EXPECT_EQ(answerer.Count(), 4u);
    }
    EXPECT_EQ(window.RowCount(), 1);
    EXPECT_EQ(window.Dlg().State().folders1.GetSize(), 1u);
    EXPECT_EQ(window.Dlg().State().folders2.GetSize(), 1u);
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), a + L"\\...*");
    EXPECT_EQ(folder.ReadConfig(L"Folders2"), b + L"\\...*");
}

TEST_F(PairsTest, CancellingTheSecondDialogOfTheFirstPairLeavesEverythingEmpty) {
    MainWindow window;
    MessageBoxAnswerer answerer;
    answerer.Press(IDOK);
    answerer.Do(ChooseFolder(a));
    answerer.Press(IDOK);
    answerer.Press(IDCANCEL);
    window.Click(IDC_ADD);
    EXPECT_EQ(window.RowCount(), 0);
    EXPECT_EQ(window.Dlg().State().folders1.GetSize(), 0u);
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), L"");
}

TEST_F(PairsTest, LongEntriesAreShortenedWithFifteenLeadingCharactersOnAddTenOnLoad) {
    const std::wstring deep =
        folder.MakeFolder(L"a-folder-with-a-rather-long-name\\and-another-level");
    MainWindow window;
    MessageBoxAnswerer answerer;
    AnswerAdd(answerer, deep, b);
    window.Click(IDC_ADD);

    const std::wstring entry = deep + L"\\...";
    ASSERT_GE(entry.size(), 50u);
    const std::wstring added = window.CellText(0, 0);
    EXPECT_EQ(added, entry.substr(0, 15) + L" ... " + entry.substr(entry.size() - 29));
    window.Dlg().OnInitDialog();
    EXPECT_EQ(window.CellText(0, 0),
              entry.substr(0, 10) + L" ... " + entry.substr(entry.size() - 34));
}

TEST_F(PairsTest, FoldersBeyondLatinOneAreStoredEscapedAndComeBackWhole) {
    const std::wstring cyrillic = folder.MakeFolder(L"\u0414\u0430\u043d\u043d\u044b\u0435");
    MainWindow window;
    MessageBoxAnswerer answerer;
    AnswerAdd(answerer, cyrillic, b);
    window.Click(IDC_ADD);

    const std::wstring stored = folder.ReadConfig(L"Folders1");
    EXPECT_NE(stored.find(L"<0414><0430><043d><043d><044b><0435>\\...*"), std::wstring::npos)
        << std::string(stored.begin(), stored.end());
    MainWindow restarted;
    ASSERT_EQ(restarted.Dlg().State().folders1.GetSize(), 1u);
    EXPECT_EQ(restarted.Dlg().State().folders1.GetAt(0), cyrillic + L"\\...");
    EXPECT_EQ(restarted.CellText(0, 0), PowerClass::ShortenText(cyrillic + L"\\...", 50, 10));
}

// While Add waits for the user, a minute's tick at each of its steps leaves
// its run for a tick after the pair is whole, without a box; a click on
// Start Synchronization now! says the pair is not complete and starts nothing.
TEST_F(PairsTest, NoRunStartsWhileAddWaitsAndTheNextTickRuns) {
    folder.WriteConfig({{L"SyncInterval", L"1"}, {L"NextSync", L"1"}});
    WriteFileBytes(a + L"\\x.txt", "x");
    MainWindow window;
    HWND main = window.Handle();
    const auto tickThen = [main](MessageBoxAnswerer::Action answer) {
        return [main, answer](const ShownDialog& shown) {
            PostMessageW(main, WM_TIMER, 1, 0);
            answer(shown);
        };
    };
    const auto ok = [](const ShownDialog& shown) {
        MessageBoxAnswerer::PressButton(shown.window, IDOK);
    };
    MessageBoxAnswerer answerer;
    answerer.Do(tickThen(ok));
    answerer.Do(tickThen(ChooseFolder(a)));
    answerer.Do(tickThen(ok));
    answerer.Do([main, choose = ChooseFolder(b)](const ShownDialog& shown) {
        PostMessageW(main, WM_TIMER, 1, 0);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_SYNC_NOW, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_SYNC_NOW)));
        choose(shown);
    });
    answerer.Press(IDOK);
    window.Click(IDC_ADD);

    ASSERT_EQ(answerer.Count(), 5u);
    EXPECT_EQ(answerer.Shown()[4].text,
              L"The new folder pair is not complete yet: choose its folders first.");
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), a + L"\\...*");
    EXPECT_EQ(folder.ReadConfig(L"Folders2"), b + L"\\...*");
    EXPECT_FALSE(FileExists(b + L"\\x.txt"));
    EXPECT_EQ(folder.ReadConfig(L"NextSync"), L"1");

    SendMessageW(main, WM_TIMER, 1, 0);
    EXPECT_EQ(answerer.Count(), 5u);
    EXPECT_TRUE(FileExists(b + L"\\x.txt"));
}

TEST_F(PairsTest, RemoveWithoutASelectionMarkAsksForOne) {
    folder.WriteConfig({{L"Folders1", a + L"\\...*"}, {L"Folders2", b + L"\\...*"}});
    MainWindow window;
    MessageBoxAnswerer answerer;
    window.Click(IDC_REMOVE);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"Please select the folder pair that you want to remove.");
    EXPECT_EQ(window.RowCount(), 1);
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), a + L"\\...*");
}

TEST_F(PairsTest, RemoveTakesThePairAtTheMarkAndTheLastOneReinitialises) {
    folder.WriteConfig({{L"Folders1", a + L"\\...*" + b + L"\\...*"},
                        {L"Folders2", b + L"\\...*" + a + L"\\...*"}});
    MainWindow window;
    HWND list = GetDlgItem(window.Handle(), IDC_PAIR_LIST);

    ListView_SetSelectionMark(list, 0);
    window.Click(IDC_REMOVE);
    ASSERT_EQ(window.RowCount(), 1);
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), b + L"\\...*");
    EXPECT_EQ(folder.ReadConfig(L"Folders2"), a + L"\\...*");
    EXPECT_EQ(window.Dlg().State().folders1.GetAt(0), b + L"\\...");

    SetDlgItemTextW(window.Handle(), IDC_STATUS, L"something else");
    ListView_SetSelectionMark(list, 0);
    window.Click(IDC_REMOVE);
    EXPECT_EQ(window.RowCount(), 0);
    EXPECT_EQ(folder.ReadConfig(L"Folders1"), L"");
    EXPECT_EQ(folder.ReadConfig(L"Folders2"), L"");
    // The start-up sequence ran again: the status line is read afresh.
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"No automatic synchronization planned.");
    EXPECT_EQ(window.ColumnCount(), 2);
}

} // namespace
} // namespace varnholt::test
