// Julian and Gregorian dates both ways: known instants, edge cases of the
// range and the leap rules, round trips over the whole 64-bit range, walks
// day by day, and std::chrono as an independent Gregorian oracle.
#include "calendar/calendar_text.h"
#include "calendar/julian_gregorian.h"
#include "wide/wide.h"

#include "support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr uint64_t DAY = 86400;
constexpr uint64_t LAST_DAY = MAX / DAY;

// Each calendar's reader and writer, by whether it is the Gregorian one.
constexpr Reader READ[] = {read_julian, read_gregorian};
constexpr Writer WRITE[] = {write_julian, write_gregorian};

// A calendar date names a whole second.
Reading read(const std::string &text, bool gregorian) {
    Reading r = read_with(READ[gregorian], text.c_str());
    EXPECT_TRUE(r.result != READ_OK || r.tp.frac == 0) << text;
    return r;
}

bool is_gregorian(const std::string &text) {
    return text.find('-') != std::string::npos;
}

TEST(JulianGregorianReader, InstantsAndTheOutOfRangeFlag) {
    constexpr uint64_t ANY = 1; // the value of a flagged read that is not checked
    struct {
        const char *text;
        uint64_t secs;
        bool flag;
    } const cases[] = {
        {"0001=01=01", 0, false},
        {"0001=01=01T00:00:01", 1, false},
        {"1=1=1", 0, false},
        {"0001-01-01", 172800, false},
        {"0000-12-30", 0, false},
        {"0000-12-31T23:59:59", 172799, false},
        {"0000-12-29T23:59:59", MAX, true},
        {"0000-01-01", MAX - 364 * DAY + 1, true},
        {"0000-02-29", MAX - 305 * DAY + 1, true}, // a leap day, so it passes the day check
        {"0000=12=31", MAX - DAY + 1, true},
        {"0000=01=01T00:00:01", MAX - 366 * DAY + 2, true},
        {"1970-01-01T00:00:00", 62135769600, false},
        {"1970=01=01T00:00:00", 62136892800, false},
        {"2000-01-01", 62135769600 + 946684800, false},
        {"1582=10=05", 49916476800, false},
        {"1582-10-15", 49916476800, false},
        {"1582-10-05", 49915612800, false},
        {"0004=02=29", 99705600, false},
        {"0004-02-29", 99878400, false},
        {"2000-02-29", 63082454400 + 59 * DAY, false},
        {"2000=02=29", 63082454400 + 72 * DAY, false}, // 2000-03-13
        {"1900=02=29", 59926780800 + 71 * DAY, false}, // 1900-03-13
        {"0323-01-01", 10161417600, false},
        {"2162-01-04", 68195001600, false},
        {"2323-01-01T00:00:00", 73275321600, false},
        {"2323-1-1t4:22:58", 73275337378, false},
        {"584542046091=08=18T07:00:15", MAX, false},
        {"584542046091=08=18T07:00:16", 0, true},
        {"584554049254-11-07T07:00:15", MAX, false},
        {"584554049254-11-07T07:00:16", 0, true},
        {"584554049254-11-08", ANY, true},
        {"584554049255-01-01", ANY, true},
        {"18446744073709551615-01-01", ANY, true},
        {"18446744073709551615=12=31T23:59:59", ANY, true},
        {"18446744073709551616-02-29", ANY, true}, // wraps to year 0, a leap year
        {"18446744073709551616-12-30", 0, true},   // year 0 again, by its wrapped value
        {"18446744073709551444-11-03T23:28:16", 18446744068276900880U, true}, // exact mod 2^64
        {"000000000000000000000001970-01-01", 62135769600, false},
    };
    for (const auto &c : cases) {
        const Reading r = read(c.text, is_gregorian(c.text));
        ASSERT_EQ(r.result, READ_OK) << c.text << r.err;
        EXPECT_EQ(r.flag, c.flag) << c.text;
        EXPECT_TRUE(c.secs == ANY || secs_of(r.tp) == c.secs) << c.text << ": " << secs_of(r.tp);
    }
}

// Each calendar's own leap rule decides the month's length, before any range
// check; every other fault is the date fields' and passes through unchanged.
TEST(JulianGregorianReader, DaysTheMonthDoesNotHave) {
    struct {
        const char *text;
        bool gregorian;
        const char *problem; // null: not mine
    } const cases[] = {
        {"1900-02-29", true, "day is out of range"},
        {"2100-02-29", true, "day is out of range"},
        {"2001-02-29", true, "day is out of range"},
        {"0001-02-29", true, "day is out of range"},
        {"0001=02=29", false, "day is out of range"},
        {"2001=02=29", false, "day is out of range"},
        {"2000-02-30", true, "day is out of range"},
        {"1900=02=30", false, "day is out of range"},
        {"0000-02-30", true, "day is out of range"},
        {"0000=02=30", false, "day is out of range"},
        {"2000-04-31", true, "day is out of range"},
        {"2000=04=31T10:00", false, "day is out of range"},
        {"2000-06-31", true, "day is out of range"},
        {"2000-09-31", true, "day is out of range"},
        {"2000-11-31", true, "day is out of range"},
        {"18446744073709551617-02-29", true, "day is out of range"}, // year 1
        {"584554049254-02-30", true, "day is out of range"},
        {"18446744073709551615=04=31", false, "day is out of range"},
        {"2000-13-01", true, "month is out of range"},
        {"2000=01=01T", false, "malformed time of day"},
        {"1970-01-01", false, nullptr},
        {"1970=01=01", true, nullptr},
        {"1970*01*01", true, nullptr},
    };
    for (const auto &c : cases) {
        const Reading r = read(c.text, c.gregorian);
        if (c.problem == nullptr)
            EXPECT_EQ(r.result, READ_NOT_MINE) << c.text;
        else
            EXPECT_EQ(r.err, c.problem) << c.text;
    }
}

TEST(JulianGregorianWriter, TextsOfKnownInstants) {
    struct {
        uint64_t secs, frac;
        const char *julian, *gregorian;
    } const cases[] = {
        {0, 0, "0001=01=01T00:00:00", "0000-12-30T00:00:00"},
        {86399, 0, "0001=01=01T23:59:59", "0000-12-30T23:59:59"},
        {86399, LAST_FRAC, "0001=01=01T23:59:59", "0000-12-30T23:59:59"},
        {86400, 0, "0001=01=02T00:00:00", "0000-12-31T00:00:00"},
        {172800, 0, "0001=01=03T00:00:00", "0001-01-01T00:00:00"},
        {1460 * DAY, 0, "0004=12=31T00:00:00", "0004-12-29T00:00:00"},
        {1461 * DAY, 0, "0005=01=01T00:00:00", "0004-12-30T00:00:00"},
        // The Julian estimate a year short, and the largest day offset.
        {15400022400, 0, "0488=12=31T00:00:00", "0489-01-01T00:00:00"},
        {10161417600, 0, "0322=12=31T00:00:00", "0323-01-01T00:00:00"},
        {49916476800, 0, "1582=10=05T00:00:00", "1582-10-15T00:00:00"},
        {62135769600, 0, "1969=12=19T00:00:00", "1970-01-01T00:00:00"},
        {62136892800, 0, "1970=01=01T00:00:00", "1970-01-14T00:00:00"},
        {68195001600, 0, "2161=12=21T00:00:00", "2162-01-04T00:00:00"},
        {73275337378, 1, "2322=12=16T04:22:58", "2323-01-01T04:22:58"},
        {MAX, LAST_FRAC, "584542046091=08=18T07:00:15", "584554049254-11-07T07:00:15"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(text_of(write_julian, at(c.secs, c.frac)), c.julian) << c.secs;
        EXPECT_EQ(text_of(write_gregorian, at(c.secs, c.frac)), c.gregorian) << c.secs;
    }
}

TEST(CalendarText, MonthWalkAndLayout) {
    struct {
        const Calendar &calendar;
        uint64_t year;
        uint32_t day, second;
        const char *want;
    } const cases[] = {
        {MEAN_YEAR, 323, 364, 86399, "0323*12*31T23:59:59"},
        {MEAN_YEAR, 2000, 59, 0, "2000*03*01T00:00:00"}, // never a leap day
        {GREGORIAN, 6, 0, 45296, "0006-01-01T12:34:56"},
        {GREGORIAN, 1900, 59, 0, "1900-03-01T00:00:00"},
        {JULIAN, 1900, 59, 0, "1900=02=29T00:00:00"},
        {GREGORIAN, 400, 59, 0, "0400-02-29T00:00:00"},
        {GREGORIAN, 2000, 365, 0, "2000-12-31T00:00:00"},
        {GREGORIAN, MAX, 364, 0, "18446744073709551615-12-31T00:00:00"},
        {GREGORIAN, 12345, 0, 3723, "12345-01-01T01:02:03"},
    };
    char text[CALENDAR_TEXT_MAX];
    for (const auto &c : cases) {
        char *end = write_calendar_text(c.calendar, wide_split(c.year), c.day, c.second, text);
        EXPECT_EQ(std::string(text, end), c.want);
    }
    EXPECT_EQ(write_calendar_text(GREGORIAN, wide_split(MAX), 364, 86399, text),
              text + CALENDAR_TEXT_MAX);
}

// Both calendars name the same instant, each read and each written.
TEST(JulianGregorian, CalendarsAgreeOnKnownInstants) {
    const char *const pairs[][2] = {
        {"0001=01=01T00:00:00", "0000-12-30T00:00:00"},
        {"0001=01=03T00:00:00", "0001-01-01T00:00:00"},
        {"0200=03=01T00:00:00", "0200-03-01T00:00:00"}, // the calendars meet in the 3rd century
        {"1582=10=05T00:00:00", "1582-10-15T00:00:00"},
        {"1582=10=04T23:59:59", "1582-10-14T23:59:59"},
        {"1900=02=29T12:00:00", "1900-03-13T12:00:00"},
        {"1969=12=19T00:00:00", "1970-01-01T00:00:00"},
        {"2100=02=29T00:00:00", "2100-03-14T00:00:00"},
        {"584542046091=08=18T07:00:15", "584554049254-11-07T07:00:15"},
    };
    for (const auto &pair : pairs) {
        const Reading j = read(pair[0], false), g = read(pair[1], true);
        ASSERT_EQ(j.result, READ_OK) << pair[0];
        ASSERT_EQ(g.result, READ_OK) << pair[1];
        EXPECT_EQ(secs_of(j.tp), secs_of(g.tp)) << pair[0] << ' ' << pair[1];
        EXPECT_EQ(text_of(write_gregorian, j.tp), pair[1]);
        EXPECT_EQ(text_of(write_julian, g.tp), pair[0]);
    }
}

// Instants weighted toward the ends of the range and toward the dates where
// the leap rules act: years 0 and 1, leap days, centuries, 400-year cycles.
uint64_t edgy_secs(std::mt19937_64 &rng) {
    const uint64_t r = rng();
    switch (r % 5) {
    case 0:
        return rng();
    case 1:
        return rng() >> (r >> 8) % 64; // the first days and years
    case 2:
        return MAX - (rng() >> (r >> 8) % 64); // the last ones
    default: {
        // A Julian or Gregorian boundary date of a year that is a multiple of
        // 1, 4, 100 or 400, years 0 and 1 included.
        static const char *const days[] = {"01-01", "02-28", "02-29", "03-01", "12-31", "12-30"};
        static const uint64_t steps[] = {1, 4, 100, 400};
        const uint64_t step = steps[(r >> 8) % 4];
        uint64_t year = rng() % 584554049254 / step * step;
        if ((r >> 16) % 8 == 0) year = (r >> 24) % 3;
        const bool gregorian = (r >> 40) % 2;
        const char *day = days[(r >> 32) % 6];
        if (!is_leap(year, gregorian) && day == std::string("02-29")) day = "03-01";
        std::string text = std::to_string(year) + '-' + day;
        if (!gregorian) text[text.find('-')] = '=', text[text.rfind('-')] = '=';
        TimePoint tp{};
        const ReadResult result = READ[gregorian](text.c_str(), tp);
        if (result == AEONMARK_OUT_OF_RANGE) return rng(); // Julian year 0, Gregorian 0000-01-01
        EXPECT_EQ(result, READ_OK) << text;
        return secs_of(tp) + (rng() % DAY) - (r >> 48) % 2 * DAY / 2; // either side of midnight
    }
    }
}

TEST(JulianGregorian, RoundTripOverTheWholeRange) {
    std::mt19937_64 rng(584554049254);
    for (int i = 0, runs = property_runs(300000); i < runs; ++i) {
        const uint64_t secs = edgy_secs(rng);
        const TimePoint tp = at(secs, rng() & LAST_FRAC);
        for (const bool gregorian : {false, true}) {
            const std::string text = text_of(WRITE[gregorian], tp);
            TimePoint back{};
            ASSERT_EQ(READ[gregorian](text.c_str(), back), READ_OK) << text;
            ASSERT_EQ(secs_of(back), secs) << text;
            ASSERT_EQ(text_of(WRITE[gregorian], back), text);
        }
    }
}

struct Date {
    uint64_t year;
    unsigned month, day, hour, minute, second;
    bool operator==(const Date &) const = default;
};

Date parse(const char *text) {
    Date d{};
    char s1 = 0, s2 = 0;
    EXPECT_EQ(sscanf(text, "%" SCNu64 "%c%u%c%uT%u:%u:%u", &d.year, &s1, &d.month, &s2, &d.day,
                     &d.hour, &d.minute, &d.second),
              8)
        << text;
    return d;
}

// The next day by the calendar's own rule, worked out field by field.
Date next_day(Date d, bool gregorian) {
    if (++d.day > days_in_month(d.month, is_leap(d.year, gregorian))) d.day = 1, ++d.month;
    if (d.month > 12) d.month = 1, ++d.year;
    return d;
}

// Walks days first to last at a time of day that changes daily: each date is
// the one after the last, by each calendar's rule, and reads back.
void walk(uint64_t first, uint64_t last) {
    for (const bool gregorian : {false, true}) {
        Date previous{};
        for (uint64_t day = first; day <= last; ++day) {
            const uint64_t second = day * 7919 % DAY;
            const uint64_t secs = day * DAY + (day == LAST_DAY ? MAX % DAY : second);
            const std::string text = text_of(WRITE[gregorian], at(secs));
            Date date = parse(text.c_str());
            ASSERT_EQ(uint64_t{date.hour} * 3600 + uint64_t{date.minute} * 60 + date.second,
                      secs % DAY);
            date.hour = date.minute = date.second = 0;
            if (day > first) {
                ASSERT_EQ(date, next_day(previous, gregorian)) << text;
            }
            previous = date;
            TimePoint back{};
            ASSERT_EQ(READ[gregorian](text.c_str(), back), READ_OK) << text;
            ASSERT_EQ(secs_of(back), secs) << text;
        }
    }
}

// Two Gregorian cycles from the epoch also cover a whole period of the
// Julian estimate (178242 days); then the top of the range.
TEST(JulianGregorian, DayByDayFromTheEpoch) {
    walk(0, 2 * 146097ULL);
}
TEST(JulianGregorian, DayByDayToTheLastInstant) {
    walk(LAST_DAY - 146097 - 1461, LAST_DAY);
}

// The standard library's civil calendar is an independent Gregorian oracle.
TEST(JulianGregorian, GregorianAgreesWithStdChrono) {
    using namespace std::chrono;
    const sys_days first = year{1} / January / 1, last = year{9999} / December / 31;
    char want[24];
    for (sys_days d = first; d <= last; d += days{1}) {
        const year_month_day ymd{d};
        const uint64_t day =
            static_cast<uint64_t>(d.time_since_epoch().count()) + UNIX_EPOCH_SECONDS / DAY;
        const uint64_t second = day * 7919 % DAY;
        // Laid out by hand: a formatted print per day would dominate the test.
        const int y = int{ymd.year()};
        const unsigned fields[] = {static_cast<unsigned>(y / 100),
                                   static_cast<unsigned>(y % 100),
                                   unsigned{ymd.month()},
                                   unsigned{ymd.day()},
                                   static_cast<unsigned>(second / 3600),
                                   static_cast<unsigned>(second / 60 % 60),
                                   static_cast<unsigned>(second % 60)};
        char *p = want;
        for (int i = 0; i < 7; ++i) {
            if (i > 1) *p++ = "--T::"[i - 2];
            *p++ = static_cast<char>('0' + fields[i] / 10);
            *p++ = static_cast<char>('0' + fields[i] % 10);
        }
        *p = '\0';
        ASSERT_EQ(text_of(write_gregorian, at(day * DAY + second)), want);
        TimePoint back{};
        ASSERT_EQ(read_gregorian(want, back), READ_OK) << want;
        ASSERT_EQ(secs_of(back), day * DAY + second) << want;
    }
}

} // namespace
