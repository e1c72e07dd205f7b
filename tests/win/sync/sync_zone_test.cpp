// Local calendar fields under a given time zone. CTest runs this binary once
// per zone with TZ set, and the filter picks the tests of that zone.

#include <gtest/gtest.h>

#include "sync/file_compare.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

TEST(SyncZoneUTC, MissingFileIsTheStartOf1970) {
    SyncClock clock;
    EXPECT_EQ(clock.MinuteNumber(kUnixEpochFileTime), 1440);
    EXPECT_EQ(clock.MinuteNumber(UtcFileTime(2007, 4, 5, 12, 30, 59)), 3819630);
    EXPECT_EQ(clock.LocalFieldsOf(UtcFileTime(2007, 7, 1, 16, 0)).hour, 16);
}

TEST(SyncZoneAmerica_New_York, EachDateGetsItsOwnDaylightSavingRule) {
    SyncClock clock;
    // 1 January 1970 00:00 UTC is 31 December 1969 19:00 in New York.
    LocalFields epoch = clock.LocalFieldsOf(kUnixEpochFileTime);
    EXPECT_EQ(epoch.year, 1969);
    EXPECT_EQ(epoch.month, 12);
    EXPECT_EQ(epoch.day, 31);
    EXPECT_EQ(epoch.hour, 19);
    EXPECT_EQ(clock.MinuteNumber(kUnixEpochFileTime), 526740);
    // Summer (UTC-4) and winter (UTC-5) of one year, whatever today is.
    EXPECT_EQ(clock.LocalFieldsOf(UtcFileTime(2007, 7, 1, 16, 0)).hour, 12);
    EXPECT_EQ(clock.LocalFieldsOf(UtcFileTime(2007, 1, 1, 16, 0)).hour, 11);
    // 1 July 2007 12:00 local: 87 days and half an hour after the UTC case's
    // 5 April 12:30.
    EXPECT_EQ(clock.MinuteNumber(UtcFileTime(2007, 7, 1, 16, 0)), 3944880);
}

} // namespace
} // namespace varnholt
