#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "base/errors.h"
#include "schedule/autostart.h"
#include "schedule/countdown.h"

namespace varnholt {
namespace {

// The status line's numbers and the runs over `ticks` ticks, starting from
// the stored S and N ("r" marks a run).
std::vector<std::wstring> Ticks(std::int32_t interval, std::int32_t next, int ticks) {
    std::vector<std::wstring> seen;
    for (int i = 0; i < ticks; ++i) {
        const CountdownTick tick = CountDown(interval, next);
        seen.push_back(std::to_wstring(tick.shown) + (tick.runNow ? L"r" : L""));
        next = tick.next;
    }
    return seen;
}

TEST(CountdownTest, IntervalOfOneRunsAtEveryTickAndThreeOnEveryThird) {
    EXPECT_EQ(Ticks(1, 1, 3), (std::vector<std::wstring>{L"0r", L"0r", L"0r"}));
    EXPECT_EQ(Ticks(3, 3, 6), (std::vector<std::wstring>{L"2", L"1", L"0r", L"2", L"1", L"0r"}));
    const CountdownTick run = CountDown(3, 1);
    EXPECT_TRUE(run.runNow);
    EXPECT_EQ(run.next, 3); // the countdown starts again at the full interval
}

TEST(CountdownTest, CountAboveTheIntervalIsShownOnceThenCapped) {
    const CountdownTick tick = CountDown(5, 100);
    EXPECT_EQ(tick.shown, 99);
    EXPECT_EQ(tick.next, 5);
    EXPECT_FALSE(tick.runNow);
}

TEST(CountdownTest, StoredZeroShowsMinusOneWhichReadsBackAsOneAndThenRuns) {
    const CountdownTick first = CountDown(10, 0);
    EXPECT_EQ(first.shown, -1);
    EXPECT_EQ(first.next, -1);
    EXPECT_FALSE(first.runNow);
    // "-1" is read back by digit places as 1.
    const CountdownTick second = CountDown(10, 1);
    EXPECT_EQ(second.shown, 0);
    EXPECT_TRUE(second.runNow);
    EXPECT_EQ(second.next, 10);
}

TEST(CountdownTest, NoIntervalMeansNoCountingWhateverIsStored) {
    EXPECT_FALSE(CountDown(0, 7).counting);
    EXPECT_FALSE(CountDown(0, 0).runNow);
    EXPECT_TRUE(CountDown(-3, 7).counting); // a wrapped interval still counts
    EXPECT_EQ(CountDown(-3, 7).next, -3);
}

TEST(CountdownTest, CountWrapsBelowTheSmallestInteger) {
    const CountdownTick tick = CountDown(5, INT_MIN);
    EXPECT_EQ(tick.shown, INT_MAX);
    EXPECT_EQ(tick.next, 5);
}

TEST(AutostartTest, CommandIsTheLaunchersQuotedPathAlsoWithBlanks) {
    EXPECT_EQ(AutostartCommand(L"C:\\Program Files\\Varnholt"),
              L"\"C:\\Program Files\\Varnholt\\Tovrinel.exe\"");
    EXPECT_EQ(AutostartCommand(L"D:"), L"\"D:\\Tovrinel.exe\"");
}

TEST(AutostartTest, OnlyTheSecondCharacterOfOptionsChanges) {
    EXPECT_EQ(OptionsWithAutostart(L"00", true), L"01");
    EXPECT_EQ(OptionsWithAutostart(L"x1yz", false), L"x0yz");
    EXPECT_EQ(OptionsWithAutostart(L"0x", true), L"01");
    EXPECT_THROW(OptionsWithAutostart(L"0", true), InvalidArgumentError);
    EXPECT_THROW(OptionsWithAutostart(L"", false), InvalidArgumentError);
}

} // namespace
} // namespace varnholt
