// The current time from the clock's count alone: its UTC fields against
// std::chrono, and a clock no TimePoint can hold is a message, never an
// unfilled instant.
#include "calendar/julian_gregorian.h"
#include "main/front_end.h"

#include "support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <string>

namespace {

using namespace std::chrono;

std::string chrono_utc(int64_t unix_seconds) {
    const sys_seconds t{seconds{unix_seconds}};
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss hms{t - day};
    char text[32];
    snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", int{ymd.year()},
             unsigned{ymd.month()}, unsigned{ymd.day()}, static_cast<int>(hms.hours().count()),
             static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()));
    return text;
}

TEST(Clock, SplitIntoUtcFieldsAsChronoDoes) {
    const int64_t clocks[] = {
        -1,           0, 1, 78796799,
        78796800, // around the first leap second, 1972-06-30T23:59:60
        1483228799,
        1483228800, // around 2016-12-31T23:59:60
        2147483647,
        2147483648,   // past a 32-bit clock
        -62135769600, // 0000-12-30T00:00:00, the first instant
        951782400,
        4107542400, // 2000-02-29, 2100-03-01
        253402300799,
        253402300800, // the end of year 9999
        971890963199, // the end of year 32767, as far as chrono goes
    };
    for (const int64_t t : clocks) {
        TimePoint tp = MARKED;
        ASSERT_TRUE(read_clock(t, tp)) << t;
        EXPECT_EQ(secs_of(tp), UNIX_EPOCH_SECONDS + static_cast<uint64_t>(t)) << t;
        EXPECT_EQ(tp.frac, 0U);
        EXPECT_EQ(text_of(write_gregorian, tp), chrono_utc(t));
    }
    // The largest 64-bit clock is still a date.
    TimePoint tp{};
    ASSERT_TRUE(read_clock(INT64_MAX, tp));
    EXPECT_EQ(text_of(write_gregorian, tp), "292277026596-12-04T15:30:07");
}

TEST(Clock, BeforeTheFirstInstantIsReported) {
    for (const int64_t t : {int64_t{-62135769601}, INT64_MIN}) {
        TimePoint tp = MARKED;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(read_clock(t, tp));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(mentions(err, "current time is not a date this program can hold"));
        EXPECT_TRUE(mentions(err, "U" + std::to_string(t)));
        EXPECT_TRUE(untouched(tp)) << t;
    }
}

} // namespace
