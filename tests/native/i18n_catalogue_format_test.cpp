#include <gtest/gtest.h>

#include "i18n/catalogue_format.h"

namespace varnholt {
namespace {

TEST(CatalogueFormatTest, FillsTheExpectedPlaceholder) {
    EXPECT_EQ(FormatCatalogueNumber(L"Next run in %d minutes", 42), L"Next run in 42 minutes");
    EXPECT_EQ(FormatCatalogueNumber(L"%d", -7), L"-7");
    EXPECT_EQ(FormatCatalogueText(L"Interval: %s min.", L"1501"), L"Interval: 1501 min.");
    EXPECT_EQ(FormatCataloguePlain(L"Synchronizing ..."), L"Synchronizing ...");
}

TEST(CatalogueFormatTest, DoublePercentGivesOnePercent) {
    EXPECT_EQ(FormatCatalogueNumber(L"100%% in %d min", 3), L"100% in 3 min");
    EXPECT_EQ(FormatCatalogueNumber(L"%%d %d", 3), L"%d 3");
    EXPECT_EQ(FormatCataloguePlain(L"50%% done"), L"50% done");
}

TEST(CatalogueFormatTest, HostileFormatsStayLiteral) {
    const std::wstring hostile = L"%s%n%d%x%p%ls%*d%99999999d%";
    EXPECT_EQ(FormatCatalogueNumber(hostile, 5), L"%s%n5%x%p%ls%*d%99999999d%");
    EXPECT_EQ(FormatCatalogueText(hostile, L"T"), L"T%n%d%x%p%ls%*d%99999999d%");
    EXPECT_EQ(FormatCataloguePlain(hostile), hostile);
    // Only the first placeholder is filled; a text holding "%d" is not
    // formatted again.
    EXPECT_EQ(FormatCatalogueNumber(L"%d %d", 1), L"1 %d");
    EXPECT_EQ(FormatCatalogueText(L"%s/%s", L"%d%s"), L"%d%s/%s");
    EXPECT_EQ(FormatCatalogueNumber(L"", 1), L"");
    EXPECT_EQ(FormatCatalogueText(L"%S %i", L"x"), L"%S %i");
}

TEST(CatalogueFormatTest, JoinsTwoParagraphs) {
    EXPECT_EQ(JoinParagraphs(L"First.", L"Second."), L"First.\n\nSecond.");
    EXPECT_EQ(JoinParagraphs(L"100%", L""), L"100%\n\n");
}

} // namespace
} // namespace varnholt
