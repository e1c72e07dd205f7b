#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "i18n/language_marker.h"

namespace varnholt {
namespace {

// Sources that answer from fixed values and record what was asked, in order.
struct FakeSources {
    std::wstring systemHex;
    std::wstring dialects;
    std::set<std::wstring> fileLines;
    std::vector<std::wstring> asked;

    LanguageMarkerSources Get() {
        return {[this] {
                    asked.push_back(L"registry");
                    return systemHex;
                },
                [this] {
                    asked.push_back(L"dialects");
                    return dialects;
                },
                [this](const std::wstring& line) {
                    asked.push_back(L"file " + line);
                    return fileLines.count(line) > 0;
                }};
    }
};

TEST(LanguageMarkerTest, StoredMarkerIsUsedWithoutAnyTest) {
    FakeSources sources{L"0407", L"", {}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[1036]", sources.Get()), L"[1036]");
    EXPECT_EQ(ChooseLanguageMarker(L"[----] ", sources.Get()), L"[----] ");
    EXPECT_EQ(ChooseLanguageMarker(L"[1031]", sources.Get()), L"[1031]");
    EXPECT_TRUE(sources.asked.empty());
}

TEST(LanguageMarkerTest, SystemLanguageWithASection) {
    FakeSources sources{L"0407", L"", {L"[1031]", L"[1033]"}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", sources.Get()), L"[1031]");
    EXPECT_EQ(sources.asked, (std::vector<std::wstring>{L"registry", L"dialects", L"file [1031]"}));
}

TEST(LanguageMarkerTest, SystemLanguageWithoutASectionFallsBackToEnglish) {
    FakeSources sources{L"0809", L"[2055][3079]", {L"[1031]"}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", sources.Get()), L"[1033]");
    EXPECT_EQ(sources.asked.back(), L"file [2057]");
    // Even when the file has no English section either.
    FakeSources none{L"0809", L"", {}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", none.Get()), L"[1033]");
}

TEST(LanguageMarkerTest, DialectsListedInBracketsReadAsGerman) {
    // 0c07 is 3079; the file's own [3079] section does not win.
    FakeSources sources{L"0c07", L"[2055][3079][5127]", {L"[1031]", L"[3079]"}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", sources.Get()), L"[1031]");
    EXPECT_EQ(sources.asked.back(), L"file [1031]");
    // Without a German section the dialect falls back to English.
    FakeSources noGerman{L"0c07", L"[3079]", {L"[3079]"}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", noGerman.Get()), L"[1033]");
    // The search is for the whole marker, brackets included.
    FakeSources bare{L"0c07", L"3079", {L"[3079]"}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"[----]", bare.Get()), L"[3079]");
}

TEST(LanguageMarkerTest, UnreadableSystemLanguageFallsBackToEnglish) {
    // Upper-case hex digits and the registry's own texts read as 0 or junk.
    for (const std::wstring hex :
         {L"", L"No REG_SZ", L"Registry key was not found :-( ", L"040C"}) {
        FakeSources sources{hex, L"", {L"[1033]"}, {}};
        EXPECT_EQ(ChooseLanguageMarker(L"[----]", sources.Get()), L"[1033]") << hex.size();
    }
    EXPECT_EQ(LanguageMarkerFor(0), L"[0]");
    EXPECT_EQ(LanguageMarkerFor(-1), L"[-1]");
}

TEST(LanguageMarkerTest, EmptySettingFollowsTheSystemLanguage) {
    FakeSources sources{L"0407", L"", {L"[1031]", L""}, {}};
    EXPECT_EQ(ChooseLanguageMarker(L"", sources.Get()), L"[1031]");
    EXPECT_EQ(sources.asked.front(), L"registry");
}

} // namespace
} // namespace varnholt
