#include <gtest/gtest.h>

#include <climits>

#include "schedule/interval.h"

namespace varnholt {
namespace {

TEST(IntervalTest, SplitsMinutesIntoDaysHoursMinutes) {
    const auto fields = SplitInterval(1501);
    EXPECT_EQ(fields.days, L"1");
    EXPECT_EQ(fields.hours, L"1");
    EXPECT_EQ(fields.minutes, L"1");
    const auto almostDay = SplitInterval(1439);
    EXPECT_EQ(almostDay.days + L"/" + almostDay.hours + L"/" + almostDay.minutes, L"0/23/59");
    const auto zero = SplitInterval(0);
    EXPECT_EQ(zero.days + L"/" + zero.hours + L"/" + zero.minutes, L"0/0/0");
    // A wrapped (negative) interval splits by integer division, no fault.
    const auto lowest = SplitInterval(INT_MIN);
    EXPECT_EQ(lowest.days + L"/" + lowest.hours + L"/" + lowest.minutes, L"-1491308/-2/-8");
}

TEST(IntervalTest, TotalReadsEachFieldByDigitPlaces) {
    EXPECT_EQ(IntervalMinutes(L"1", L"1", L"1"), 1501);
    EXPECT_EQ(IntervalMinutes(L"0", L"0", L"1"), 1);
    EXPECT_EQ(IntervalMinutes(L"", L"", L""), 0);
    EXPECT_EQ(IntervalMinutes(L"", L"1x", L"-5"), 605);
    // Round trip of the split.
    const auto fields = SplitInterval(98765);
    EXPECT_EQ(IntervalMinutes(fields.days, fields.hours, fields.minutes), 98765);
}

TEST(IntervalTest, TotalWrapsIn32Bits) {
    // 1491309 days are 2147484960 minutes, 1313 beyond the largest int.
    EXPECT_EQ(IntervalMinutes(L"1491309", L"0", L"0"), -2147482336);
    EXPECT_EQ(IntervalMinutes(L"0", L"0", L"2147483647"), INT_MAX);
    EXPECT_EQ(IntervalMinutes(L"0", L"1", L"2147483647"), INT_MIN + 59);
}

} // namespace
} // namespace varnholt
