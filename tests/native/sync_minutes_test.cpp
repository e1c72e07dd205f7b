#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "settings/power_class.h"
#include "sync/file_compare.h"
#include "tests/support/test_folder.h"
#include "tests/support/zone_scope.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

std::int32_t Minutes(int y, int mo, int d, int h, int mi) {
    return PowerClass::DateToMinutes(std::to_wstring(y), std::to_wstring(mo), std::to_wstring(d),
                                     std::to_wstring(h), std::to_wstring(mi));
}

TEST(SyncDateToMinutesTest, WorkedValues) {
    EXPECT_EQ(Minutes(2000, 1, 1, 0, 0), 1440);
    EXPECT_EQ(Minutes(2000, 3, 1, 0, 0), 87840);
    EXPECT_EQ(Minutes(2001, 1, 1, 0, 0), 528480);
    EXPECT_EQ(Minutes(2007, 4, 5, 12, 30), 3819630);
    EXPECT_EQ(PowerClass::DateToMinutes(L"0", L"0", L"0", L"-1", L"-1"), 61);
}

TEST(SyncDateToMinutesTest, YearAndLeapRules) {
    // Years before 2000 add nothing: dates compare within their own year.
    // 1 March 1999 is one day less than 1 March 2000 (87840).
    EXPECT_EQ(Minutes(1999, 3, 1, 0, 0), 86400);
    EXPECT_EQ(Minutes(1969, 12, 31, 19, 0), 526740);
    // Divisible by 4 is a leap year, with no century exception: 2100 has a
    // 29 February (two days from 28 February to 1 March) and 366 days, and
    // the years 2000..2099 add 25 leap days; 2001 has no 29 February.
    EXPECT_EQ(Minutes(2100, 2, 28, 0, 0), 52680960);
    EXPECT_EQ(Minutes(2100, 3, 1, 0, 0), 52683840);
    EXPECT_EQ(Minutes(2100, 1, 1, 0, 0), 52597440);
    EXPECT_EQ(Minutes(2101, 1, 1, 0, 0), 53124480);
    EXPECT_EQ(Minutes(2001, 2, 28, 0, 0), 612000);
    EXPECT_EQ(Minutes(2001, 3, 1, 0, 0), 613440);
    // Digits are read by place: "12x" is 120.
    EXPECT_EQ(PowerClass::DateToMinutes(L"2000", L"1", L"1", L"0", L"1x"), 1440 + 10);
}

TEST(SyncDateToMinutesTest, MinuteBoundary) {
    // The last minute of an hour, a day and a year, and the first after it.
    EXPECT_EQ(Minutes(2010, 6, 1, 10, 59), 5479859);
    EXPECT_EQ(Minutes(2010, 6, 1, 11, 0), 5479860);
    EXPECT_EQ(Minutes(2010, 6, 1, 23, 59), 5480639);
    EXPECT_EQ(Minutes(2010, 6, 2, 0, 0), 5480640);
    EXPECT_EQ(Minutes(2010, 12, 31, 23, 59), 5787359);
    EXPECT_EQ(Minutes(2011, 1, 1, 0, 0), 5787360);
}

#ifndef _WIN32
// The zone is set before the clock is made (the clock reads it once); the
// Windows build checks zones in tests/win/sync with TZ set by CTest.
TEST(SyncClockTest, UtcFieldsAndMinutes) {
    test::ZoneScope zone("UTC");
    SyncClock clock;
    LocalFields f = clock.LocalFieldsOf(UtcFileTime(2007, 4, 5, 12, 30, 59));
    EXPECT_EQ(f.year, 2007);
    EXPECT_EQ(f.month, 4);
    EXPECT_EQ(f.day, 5);
    EXPECT_EQ(f.hour, 12);
    EXPECT_EQ(f.minute, 30);
    EXPECT_EQ(clock.MinuteNumber(UtcFileTime(2007, 4, 5, 12, 30, 59)), 3819630);
    // Seconds do not count: 12:30:59 and 12:30:00 are the same minute.
    EXPECT_EQ(clock.MinuteNumber(UtcFileTime(2007, 4, 5, 12, 30, 0)), 3819630);
    // A missing file (time 0 = 1970 at UTC): 1440 plus the time of day.
    EXPECT_EQ(clock.MinuteNumber(kUnixEpochFileTime), 1440);
}

TEST(SyncClockTest, NewYorkAppliesTheRuleOfEachDate) {
    test::ZoneScope zone("America/New_York");
    SyncClock clock;
    // 1 January 1970 00:00 UTC is 31 December 1969 19:00 in New York.
    EXPECT_EQ(clock.MinuteNumber(kUnixEpochFileTime), 526740);
    // Summer (EDT, UTC-4) and winter (EST, UTC-5) of the same year.
    LocalFields summer = clock.LocalFieldsOf(UtcFileTime(2007, 7, 1, 16, 0));
    EXPECT_EQ(summer.hour, 12);
    LocalFields winter = clock.LocalFieldsOf(UtcFileTime(2007, 1, 1, 16, 0));
    EXPECT_EQ(winter.hour, 11);
    // 2006 still had the old rule: 1 April 2006 was standard time.
    EXPECT_EQ(clock.LocalFieldsOf(UtcFileTime(2006, 4, 1, 16, 0)).hour, 11);
}
#endif

} // namespace
} // namespace varnholt
