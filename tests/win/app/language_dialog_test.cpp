// The language dialog: what it lists and selects, what it gives back, and
// the main window's reaction to a new language: everything re-translated at
// once, the stored pairs and fields kept.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/language_selection_dlg.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/support/window_watcher.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// What the open dialog showed.
struct SeenDialog {
    std::wstring title;
    std::wstring group;
    std::vector<std::wstring> items;
    std::wstring field;
    LRESULT selected = CB_ERR;
    int focus = 0;
    int listHeight = 0; // of the opened list
    int itemHeight = 0;
};

// How the person answers: picks nothing, chooses a listed name or types
// one; then presses OK, Escape or the close box.
enum class Pick { Nothing, Choose, Type };
enum class End { Ok, Escape, CloseBox };

// Opens the language dialog from the menu, reads it and answers it.
SeenDialog SelectLanguage(MainWindow& window, Pick pick, const std::wstring& name = {},
                          End end = End::Ok) {
    SeenDialog seen;
    WindowWatcher watcher(L"#32770", L"Language Selection", [&](HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_LANGUAGE_COMBO);
        seen.title = Text(dialog);
        seen.group = Text(GetDlgItem(dialog, IDC_GROUP_FOLDERS));
        seen.items = ComboItems(combo);
        seen.field = Text(combo);
        seen.selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        seen.focus = GetDlgCtrlID(GetFocus());
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo, &info);
        RECT list{};
        GetWindowRect(info.hwndList, &list);
        seen.listHeight = list.bottom - list.top;
        seen.itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

        if (pick == Pick::Choose) {
            const LRESULT item = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(name.c_str()));
            ASSERT_NE(item, CB_ERR) << "not listed";
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        } else if (pick == Pick::Type) {
            SetWindowTextW(combo, name.c_str());
        }
        switch (end) {
        case End::Ok:
            PostClick(dialog, IDOK);
            break;
        case End::Escape:
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        case End::CloseBox:
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
    });
    window.Command(ID_LANGUAGE_SELECTION);
    EXPECT_TRUE(watcher.Seen()) << "the language dialog did not open";
    return seen;
}

class LanguageDialogTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::wstring a = folder.MakeFolder(L"a");
    std::wstring b = folder.MakeFolder(L"b");

    void SetUp() override {
        folder.WriteConfig({{L"Folders1", a + L"\\...*"},
                            {L"Folders2", b + L"\\...*"},
                            {L"SyncInterval", L"1500"},
                            {L"NextSync", L"12"},
                            {L"Options", L"01"},
                            {L"Language", L"[1033]"}});
    }
};

TEST_F(LanguageDialogTest, ListsEveryLanguageSortedWithTheCurrentOneSelected) {
    MainWindow window;
    const SeenDialog seen = SelectLanguage(window, Pick::Nothing, {}, End::Escape);
    EXPECT_EQ(seen.title, L"Language Selection");
    EXPECT_EQ(seen.group, L"Please select your language");
    EXPECT_EQ(seen.items,
              (std::vector<std::wstring>{L"Dansk", L"Deutsch", L"English", L"Espa\u00f1ol",
                                         L"Fran\u00e7ais", L"Italiano", L"Nederlands",
                                         L"Norsk (bokm\u00e5l)", L"Portugu\u00eas (Brasil)",
                                         L"Suomi", L"Svenska", L"System default language"}));
    EXPECT_EQ(seen.field, L"English");
    EXPECT_EQ(seen.selected, 2);
    EXPECT_EQ(seen.focus, IDOK);
    // The opened list shows several names, not just one.
    EXPECT_GE(seen.listHeight, 8 * seen.itemHeight);
}

TEST_F(LanguageDialogTest, ChoosingAnotherLanguageTranslatesTheWindowAtOnceAndKeepsItsData) {
    MainWindow window;
    SelectLanguage(window, Pick::Choose, L"Deutsch");

    EXPECT_EQ(folder.ReadConfig(L"Language"), L"[1031]");
    EXPECT_EQ(window.ControlText(IDC_ADD), L"Ordner hin&zuf\u00fcgen");
    EXPECT_EQ(window.ControlText(IDC_GROUP_FOLDERS), L"Zu synchronisierende Ordner");
    EXPECT_EQ(window.ControlText(IDC_LABEL_DAYS), L"Tage");
    EXPECT_EQ(window.MenuText(0), L"&Datei");
    EXPECT_EQ(window.MenuText(1, 2), L"Oskenby-&Website besuchen");
    EXPECT_EQ(window.ColumnHeading(0), L"Erster Ordner");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"N\u00e4chste Synchronisation in 12 Minute(n).");
    // The pairs and fields are those stored.
    EXPECT_EQ(window.ColumnCount(), 2);
    ASSERT_EQ(window.RowCount(), 1);
    EXPECT_EQ(window.CellText(0, 0), a + L"\\...");
    EXPECT_EQ(window.ControlText(IDC_DAYS), L"1");
    EXPECT_EQ(window.ControlText(IDC_HOURS), L"1");
    EXPECT_TRUE(window.IsChecked(IDC_AUTOSTART));

    // The next opening shows the German caption and selects Deutsch.
    const SeenDialog again = SelectLanguage(window, Pick::Type, L"Fran\u00e7ais");
    EXPECT_EQ(again.group, L"Bitte w\u00e4hlen Sie Ihre Sprache");
    EXPECT_EQ(again.field, L"Deutsch");
    EXPECT_EQ(folder.ReadConfig(L"Language"), L"[1036]");
    EXPECT_EQ(window.MenuText(0, 3), L"Choix de la &langue");
}

TEST_F(LanguageDialogTest, SameLanguageUnknownNameOtherLetterCaseCancelAndCloseChangeNothing) {
    MainWindow window;
    const std::string stored = ReadFileBytes(folder.ConfigPath());
    // A caption the start-up sequence would put back if it ran again.
    SetDlgItemTextW(window.Handle(), IDC_ADD, L"untouched");

    SelectLanguage(window, Pick::Choose, L"English");
    SelectLanguage(window, Pick::Type, L"Klingon");
    SelectLanguage(window, Pick::Type, L"deutsch");
    SelectLanguage(window, Pick::Type, L"Deu");
    SelectLanguage(window, Pick::Choose, L"Deutsch", End::Escape);
    SelectLanguage(window, Pick::Choose, L"Deutsch", End::CloseBox);
    EXPECT_EQ(ReadFileBytes(folder.ConfigPath()), stored);
    EXPECT_EQ(window.ControlText(IDC_ADD), L"untouched");
}

TEST_F(LanguageDialogTest, ChoosingTheSystemDefaultStoresItsMarkerAndFollowsTheSystem) {
    folder.WriteConfig({{L"Language", L"[1031]"}});
    MainWindow window;
    EXPECT_EQ(window.MenuText(0), L"&Datei");
    SelectLanguage(window, Pick::Choose, L"System default language");
    EXPECT_EQ(folder.ReadConfig(L"Language"), L"[----]");
    EXPECT_EQ(window.MenuText(0), L"&File"); // the test prefix's system language is 0409
    EXPECT_EQ(SelectLanguage(window, Pick::Nothing, {}, End::Escape).field,
              L"System default language");
}

TEST_F(LanguageDialogTest, UnreadableLanguageFileIsReportedAndListsNothing) {
    MainWindow window;
    const std::wstring file = folder.Path() + L"\\Varnholttrl.ini";
    DeleteFileW(file.c_str());
    MessageBoxAnswerer answerer;
    const SeenDialog seen = SelectLanguage(window, Pick::Type, L"Deutsch");
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, file + L" was not found.");
    EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    EXPECT_TRUE(seen.items.empty());
    EXPECT_EQ(folder.ReadConfig(L"Language"), L"[1033]");
}

// The dialog on its own, with language files made for the case.
class LanguageSelectionTest : public ::testing::Test {
protected:
    ProgramFolder folder;

    void LanguageFile(const std::string& bytes) {
        WriteFileBytes(folder.Path() + L"\\Varnholttrl.ini", bytes);
    }
    // Opens the dialog (hidden: it is made without WS_VISIBLE) for `stored`.
    void Open(const std::wstring& stored) {
        dialog.m_strLanguage = stored;
        dialog.m_strCaption = L"Pick one";
        ASSERT_TRUE(dialog.Create());
        PumpPending();
    }
    HWND Combo() const { return GetDlgItem(dialog.m_hWnd, IDC_LANGUAGE_COMBO); }
    void Ok() {
        SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog.m_hWnd, IDOK)));
    }

    CLanguageSelection dialog;
};

const char kSections[] = "[1043]\r\n\r\n00000 Nederlands\r\n00010 Mappen\r\n[EOL]\r\n"
                         "[1033]\r\n\r\n00000 English\r\n[EOL]\r\n"
                         "[10241]\r\n\r\n00000 Five digits\r\n[EOL]\r\n"
                         "[2057]\r\n\r\n00000 English\r\n[EOL]\r\n"
                         "[1031]\r\n\r\n00000 Deutsch\r\n[EOL]\r\n";

TEST_F(LanguageSelectionTest, ListIsSortedByTheControlWhileTheLanguagesKeepFileOrder) {
    LanguageFile(kSections);
    Open(L"[1031]");
    EXPECT_EQ(ComboItems(Combo()),
              (std::vector<std::wstring>{L"Deutsch", L"English", L"English", L"Nederlands"}));
    EXPECT_EQ(
        std::vector<std::wstring>(dialog.m_astrLanguages.begin(), dialog.m_astrLanguages.end()),
        (std::vector<std::wstring>{L"[1043]", L"Nederlands", L"[1033]", L"English", L"[2057]",
                                   L"English", L"[1031]", L"Deutsch"}));
    EXPECT_EQ(Text(GetDlgItem(dialog.m_hWnd, IDC_GROUP_FOLDERS)), L"Pick one");
    EXPECT_EQ(Text(Combo()), L"Deutsch");
}

TEST_F(LanguageSelectionTest, NameOfTwoSectionsGivesTheLaterMarker) {
    LanguageFile(kSections);
    Open(L"[1031]");
    SetWindowTextW(Combo(), L"English");
    Ok();
    EXPECT_EQ(dialog.m_strLanguage, L"[2057]");
    EXPECT_EQ(dialog.GetModalResult(), IDOK);
}

TEST_F(LanguageSelectionTest, StoredSystemDefaultWithoutItsSectionShowsTheFixedTextAndOkKeepsIt) {
    LanguageFile(kSections);
    Open(L"[----]");
    EXPECT_EQ(Text(Combo()), L"System default language");
    EXPECT_EQ(SendMessageW(Combo(), CB_GETCURSEL, 0, 0), CB_ERR);
    Ok();
    EXPECT_EQ(dialog.m_strLanguage, L"[----]");
}

} // namespace
} // namespace varnholt::test
