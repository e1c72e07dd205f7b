#include <gtest/gtest.h>

#include "i18n/language_list.h"

namespace varnholt {
namespace {

std::vector<std::wstring> Items(const CStringArray& list) {
    return std::vector<std::wstring>(list.begin(), list.end());
}

TEST(LanguageListTest, ListsSixCharacterHeadersWithTheNameTwoLinesBelowInFileOrder) {
    const std::vector<std::wstring> lines{
        L"[1033]",
        L"",
        L"00000 English",
        L"00010 Folders",
        L"[EOL]",
        L"[10241]",
        L"",
        L"00000 Five digits",
        L"[EOL]",
        L"[1031]",
        L"",
        L"00000 Deutsch",
        L"[EOL]",
        L"[----]",
        L"",
        L"00000 System default language",
        L"[EOL]",
    };
    EXPECT_EQ(Items(ReadLanguageList(lines)),
              (std::vector<std::wstring>{L"[1033]", L"English", L"[1031]", L"Deutsch", L"[----]",
                                         L"System default language"}));
}

TEST(LanguageListTest, TheTwoLinesAfterAHeaderAreNeverTakenForHeaders) {
    // "[1036]" right below a header is skipped, and "[1040]" is the name line.
    const std::vector<std::wstring> lines{L"[1033]", L"[1036]", L"[1040]",
                                          L"[1031]", L"",       L"00000 Deutsch"};
    EXPECT_EQ(Items(ReadLanguageList(lines)),
              (std::vector<std::wstring>{L"[1033]", L"", L"[1031]", L"Deutsch"}));
}

TEST(LanguageListTest, FileEndingRightAfterAHeaderListsAnEmptyName) {
    EXPECT_EQ(Items(ReadLanguageList({L"[1033]"})), (std::vector<std::wstring>{L"[1033]", L""}));
    EXPECT_EQ(Items(ReadLanguageList({L"[1033]", L""})),
              (std::vector<std::wstring>{L"[1033]", L""}));
    // A name line of exactly six characters has an empty name too.
    EXPECT_EQ(Items(ReadLanguageList({L"[1033]", L"", L"00000 "})),
              (std::vector<std::wstring>{L"[1033]", L""}));
}

CStringArray Languages(std::initializer_list<const wchar_t*> items) {
    CStringArray list;
    for (const wchar_t* item : items) {
        list.Add(item);
    }
    return list;
}

TEST(LanguageListTest, StoredMarkerSelectsTheLastSectionCarryingItElseTheSystemDefaultText) {
    const CStringArray languages =
        Languages({L"[1033]", L"English", L"[1031]", L"Deutsch", L"[1033]", L"English (second)"});
    EXPECT_EQ(DisplayNameForMarker(languages, L"[1031]"), L"Deutsch");
    EXPECT_EQ(DisplayNameForMarker(languages, L"[1033]"), L"English (second)");
    EXPECT_EQ(DisplayNameForMarker(languages, L"[----]"), L"System default language");
    EXPECT_EQ(DisplayNameForMarker(languages, L"[1031] "), L"System default language");
    EXPECT_EQ(DisplayNameForMarker(CStringArray(), L"[1033]"), L"System default language");
}

TEST(LanguageListTest, ChosenNameGivesTheMarkerOfTheLastSectionWithExactlyThatName) {
    const CStringArray languages =
        Languages({L"[1033]", L"English", L"[2057]", L"English", L"[1031]", L"Deutsch", L"[----]",
                   L"System default language"});
    EXPECT_EQ(MarkerForDisplayName(languages, L"English", L"[1031]"), L"[2057]");
    EXPECT_EQ(MarkerForDisplayName(languages, L"System default language", L"[1033]"), L"[----]");
    // Other letter case, a part of a name or a typed name that matches
    // nothing keeps the current marker.
    EXPECT_EQ(MarkerForDisplayName(languages, L"deutsch", L"[1033]"), L"[1033]");
    EXPECT_EQ(MarkerForDisplayName(languages, L"Deu", L"[1033]"), L"[1033]");
    EXPECT_EQ(MarkerForDisplayName(languages, L"Klingon", L"[1033]"), L"[1033]");
}

} // namespace
} // namespace varnholt
