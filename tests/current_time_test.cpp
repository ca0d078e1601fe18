// The current time from its UTC fields: through the Gregorian reader, and a
// clock no TimePoint can hold is a message, never an unfilled instant.
#include "main/front_end.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>

namespace {

struct tm utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    struct tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(UtcTime, UtcFieldsReadAsTheGregorianDate) {
    struct {
        struct tm fields;
        uint64_t secs;
    } const cases[] = {
        {utc(1970, 1, 1), 62135769600},
        {utc(2000, 1, 1), 62135769600 + 946684800},
        {utc(2038, 1, 19, 3, 14, 8), 62135769600 + 2147483648},
        {utc(0, 12, 30), 0},
    };
    for (const auto &c : cases) {
        TimePoint tp{9, 9, 9};
        errno = ERANGE; // a stale flag must not reject the clock
        ASSERT_TRUE(read_utc_time(c.fields, tp)) << c.secs;
        EXPECT_EQ(tp.sec_hi << 32 | tp.sec_lo, c.secs);
        EXPECT_EQ(tp.frac, 0U);
    }
    // The largest year gmtime can give is still a date: no int overflow.
    struct tm last = utc(0, 1, 1);
    last.tm_year = INT_MAX;
    TimePoint tp{};
    EXPECT_TRUE(read_utc_time(last, tp));
}

TEST(UtcTime, ClocksNoTimePointHoldsAreReported) {
    struct {
        struct tm fields;
        const char *err;
    } const cases[] = {
        {utc(-1, 12, 31),
         "aeonmark: current time is not a date this program can hold: -001-12-31T00:00:00\n"},
        {utc(0, 12, 29, 23, 59, 59),
         "aeonmark: date is out of acceptable range: 0000-12-29T23:59:59\n"},
        {utc(2001, 2, 29),
         "aeonmark: day is out of range: 2001-02-29T00:00:00\n"
         "aeonmark: current time is not a date this program can hold: 2001-02-29T00:00:00\n"},
    };
    for (const auto &c : cases) {
        TimePoint tp{9, 9, 9};
        testing::internal::CaptureStderr();
        EXPECT_FALSE(read_utc_time(c.fields, tp));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.err);
    }
}

} // namespace
