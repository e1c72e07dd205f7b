// The start-up sequence of the real main window, from several config.ini
// contents, in a temporary program folder.

#include <gtest/gtest.h>

#include "i18n/catalogue_format.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/program_folder.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

struct IntervalCase {
    const wchar_t* syncInterval;
    const wchar_t* days;
    const wchar_t* hours;
    const wchar_t* minutes;
};

void PrintTo(const IntervalCase& c, std::ostream* out) {
    *out << "SyncInterval \""
         << std::string(c.syncInterval, c.syncInterval + wcslen(c.syncInterval)) << "\"";
}

class StartupIntervalTest : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(StartupIntervalTest, SplitsTheStoredIntervalIntoTheThreeFields) {
    ProgramFolder folder;
    folder.WriteConfig({{L"SyncInterval", GetParam().syncInterval}});
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_DAYS), GetParam().days);
    EXPECT_EQ(window.ControlText(IDC_HOURS), GetParam().hours);
    EXPECT_EQ(window.ControlText(IDC_MINUTES), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(Values, StartupIntervalTest,
                         ::testing::Values(IntervalCase{L"1500", L"1", L"1", L"0"},
                                           IntervalCase{L"59", L"0", L"0", L"59"},
                                           IntervalCase{L"1440", L"1", L"0", L"0"},
                                           IntervalCase{L"", L"0", L"0", L"0"}),
                         [](const auto& param) {
                             return "Interval" + std::to_string(param.index);
                         });

TEST(StartupTest, StatusLineShowsTheCountdownOrNoPlannedRun) {
    ProgramFolder folder;
    {
        folder.WriteConfig({{L"NextSync", L"0"}});
        MainWindow window;
        EXPECT_EQ(window.ControlText(IDC_STATUS), L"No automatic synchronization planned.");
    }
    {
        folder.WriteConfig({{L"NextSync", L"12"}});
        MainWindow window;
        EXPECT_EQ(window.ControlText(IDC_STATUS), L"Next synchronization in 12 minute(s).");
    }
    {
        // Absent reads as 0.
        folder.WriteConfig({{L"NextSync", L""}});
        MainWindow window;
        EXPECT_EQ(window.ControlText(IDC_STATUS), L"No automatic synchronization planned.");
    }
}

TEST(StartupTest, SecondCharacterOfOptionsTicksTheAutostartBox) {
    ProgramFolder folder;
    for (const auto& [options, ticked] :
         {std::pair{L"00", false}, std::pair{L"01", true}, std::pair{L"0x", true},
          std::pair{L"0", true}, std::pair{L"10", false}}) {
        folder.WriteConfig({{L"Options", options}});
        MainWindow window;
        EXPECT_EQ(window.IsChecked(IDC_AUTOSTART), ticked) << "Options " << options;
        EXPECT_EQ(window.Dlg().State().options, options);
    }
}

TEST(StartupTest, EmptyOptionsStopsTheSequenceWithAnInvalidArgumentReport) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Options", L""}, {L"SyncInterval", L"1500"}, {L"NextSync", L"12"}});
    MessageBoxAnswerer answerer;
    MainWindow window;

    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, L"An invalid argument was encountered.");
    EXPECT_EQ(answerer.Shown()[0].caption, L"app_tests");
    EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    EXPECT_EQ(answerer.Shown()[0].owner, window.Handle());
    // What came before the failing step is in place, what comes after is not.
    EXPECT_EQ(window.ControlText(IDC_ADD), L"&Add Folders");
    EXPECT_EQ(window.ColumnCount(), 2);
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(window.ControlText(IDC_DAYS), L"");
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST(StartupTest, MissingSettingsFileIsReportedAndTheTemplateTextsStay) {
    ProgramFolder folder;
    folder.RemoveConfig();
    MessageBoxAnswerer answerer;
    MainWindow window;

    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Shown()[0].text, folder.ConfigPath() + L" was not found.");
    EXPECT_TRUE(answerer.Shown()[0].HasStopIcon());
    EXPECT_EQ(answerer.Shown()[0].caption, L"app_tests");

    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(window.ControlText(IDC_GROUP_FOLDERS), L"Folders to synchronize");
    EXPECT_EQ(window.ControlText(IDC_ADD), L"&Add Folders");
    EXPECT_EQ(window.MenuText(0), L"&File");
    EXPECT_EQ(window.ColumnCount(), 0);
    // The first data exchange has already shown the still empty members.
    EXPECT_FALSE(window.IsChecked(IDC_AUTOSTART));
    EXPECT_EQ(window.ControlText(IDC_DAYS), L"");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"");
}

TEST(StartupTest, EnglishCaptionsMenusAndColumnsComeFromTheLanguageFile) {
    ProgramFolder folder;
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_GROUP_INTERVAL), L"Start synchronization each ...");
    EXPECT_EQ(window.ControlText(IDC_LABEL_DAYS), L"days");
    EXPECT_EQ(window.ColumnHeading(0), L"First folder");
    EXPECT_EQ(window.ColumnHeading(1), L"Second folder");
    EXPECT_EQ(window.MenuText(1), L"&Help");
    EXPECT_EQ(window.MenuText(0, 0), L"&Minimize to Systray");
    EXPECT_EQ(window.MenuText(1, 3), L"&About...");
    // Translating by position keeps each item's command.
    EXPECT_EQ(GetMenuItemID(GetSubMenu(GetMenu(window.Handle()), 0), 5),
              static_cast<UINT>(ID_EXIT));
}

TEST(StartupTest, GermanSectionTranslatesEveryCaption) {
    ProgramFolder folder;
    folder.WriteConfig({{L"Language", L"[1031]"}, {L"NextSync", L"3"}});
    MainWindow window;
    EXPECT_EQ(window.ControlText(IDC_ADD), L"Ordner hin&zuf\u00fcgen");
    EXPECT_EQ(window.ControlText(IDC_LABEL_HOURS), L"Stunden");
    EXPECT_EQ(window.ControlText(IDC_AUTOSTART), L"Programm automatisch mit Windows starten");
    EXPECT_EQ(window.ControlText(IDC_STATUS), L"N\u00e4chste Synchronisation in 3 Minute(n).");
    EXPECT_EQ(window.MenuText(0), L"&Datei");
    EXPECT_EQ(window.MenuText(0, 3), L"&Sprachauswahl");
    EXPECT_EQ(window.MenuText(1, 3), L"\u00dc&ber Varnholt...");
    EXPECT_EQ(window.ColumnHeading(1), L"Zweiter Ordner");
}

TEST(StartupTest, OpensCentredOnTheScreen) {
    ProgramFolder folder;
    MainWindow window;
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR((rect.left + rect.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

} // namespace
} // namespace varnholt::test
