// The mean-year calendar: known instants, and round trips over the whole
// range of years and of TimePoints.
#include "calendar/mean_year.h"

#include "support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr uint64_t LAST_YEAR = 584554049254;

struct ReadCase {
    const char *text;
    uint64_t secs, frac;
    bool flag;
};

TEST(MeanYearReader, KnownInstants) {
    const ReadCase cases[] = {
        {"323*01*01", 10161417600, 0, false},
        {"2323*01*01T00:00:00", 73275321600, 0, false},
        {"2000*01*01", 63082426104, 0, false},
        {"2000*03*01T12:00:00", 63087570319, 1988628694, false},
        {"2000*3*1T12:0", 63087570319, 1988628694, false},
        {"1*01*01", 79056, 0, false},
        {"0*12*31T23:59:59", 79054, 4292113791, false},
        {"0*12*31T02:03:17", 0, 2197758300, false},
        {"584554049254*11*08T07:37:13", MAX, 2053376797, false},
        {"0*12*31T02:03:16", 0, 0, true},
        {"0*01*01", 0, 0, true},
        {"584554049254*11*08T07:37:14", 0, 0, true},
        {"584554049255*01*01", 0, 0, true},
        {"18446744073709551616*01*01", 0, 0, true},
        {"18446744073709551615*12*31T23:59:59", 0, 0, true},
    };
    for (const auto &c : cases) {
        const Reading r = read_with(read_mean_year, c.text);
        ASSERT_EQ(r.result, READ_OK) << c.text;
        EXPECT_EQ(r.flag, c.flag) << c.text;
        if (c.flag) continue;
        EXPECT_EQ(secs_of(r.tp), c.secs) << c.text;
        EXPECT_EQ(r.tp.frac, c.frac) << c.text;
    }
}

TEST(MeanYearReader, OnlyItsOwnShape) {
    for (const char *text : {"2000-01-01", "2000=01=01", "U0", "[0]0000", "2000*01", ""}) {
        EXPECT_EQ(read_with(read_mean_year, text).result, READ_NOT_MINE) << text;
    }
}

TEST(MeanYearWriter, KnownTexts) {
    const struct {
        uint64_t secs, frac;
        const char *want;
    } cases[] = {
        {0, 0, "0000*12*31T02:03:16"},
        {79055, LAST_FRAC, "0000*12*31T23:59:59"},
        {79056, 0, "0001*01*01T00:00:00"},
        {10161417599, LAST_FRAC, "0322*12*31T23:59:59"},
        {10161417600, 0, "0323*01*01T00:00:00"},
        {62135769600, 0, "1970*01*01T14:27:01"},
        {63082454400, 0, "2000*01*01T07:51:17"},
        {63087570319, 1988628694, "2000*03*01T12:00:00"},
        {73275321600, 0, "2323*01*01T00:00:00"},
        {MAX, 0, "584554049254*11*08T07:37:12"},
        {MAX, LAST_FRAC, "584554049254*11*08T07:37:13"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(text_of(write_mean_year, at(c.secs, c.frac)), c.want) << c.secs;
    }
}

// Years weighted toward both ends of the range and the 400-year anchors.
uint64_t random_year(std::mt19937_64 &rng) {
    switch (rng() % 6) {
    case 0:
        return rng() % 800;
    case 1:
        return LAST_YEAR - rng() % 800;
    case 2:
        return 323 + 400 * (rng() % 1461385123) + rng() % 3 - 1; // next to an anchor
    case 3:
        return rng() % 10000;
    default:
        return rng() % (LAST_YEAR + 1);
    }
}

TEST(MeanYearRoundTrip, EveryDateReadsAndWritesBack) {
    std::mt19937_64 rng(365);
    const int runs = property_runs(200000);
    for (int i = 0; i < runs; ++i) {
        const uint64_t year = random_year(rng);
        const unsigned month = static_cast<unsigned>(rng() % 12) + 1;
        const unsigned day = static_cast<unsigned>(rng() % days_in_month(month, false)) + 1;
        const unsigned t = static_cast<unsigned>(rng() % 86400);
        char text[64];
        snprintf(text, sizeof text, "%04llu*%02u*%02uT%02u:%02u:%02u",
                 static_cast<unsigned long long>(year), month, day, t / 3600, t / 60 % 60, t % 60);
        TimePoint tp{};
        const ReadResult result = read_mean_year(text, tp);
        if (result == AEONMARK_OUT_OF_RANGE) continue; // before the epoch or past the end
        ASSERT_EQ(result, READ_OK) << text;
        ASSERT_EQ(text_of(write_mean_year, tp), text);
    }
}

TEST(MeanYearRoundTrip, EveryInstantWritesReadsAndWritesAgain) {
    std::mt19937_64 rng(146097);
    const int runs = property_runs(200000);
    for (int i = 0; i < runs; ++i) {
        uint64_t secs = rng();
        if (i % 4 == 1) secs = rng() % 20000000000;       // years 0 to 600
        if (i % 4 == 2) secs = MAX - rng() % 20000000000; // the last years
        const TimePoint tp = at(secs, rng() & LAST_FRAC);
        const std::string text = text_of(write_mean_year, tp);
        TimePoint back{};
        const ReadResult result = read_mean_year(text.c_str(), back);
        if (result == AEONMARK_OUT_OF_RANGE) {
            // Only the nominal second that began before the epoch.
            ASSERT_EQ(text, "0000*12*31T02:03:16") << secs;
            continue;
        }
        ASSERT_EQ(result, READ_OK) << text;
        const uint64_t b = secs_of(back);
        ASSERT_TRUE(b < secs || (b == secs && back.frac <= tp.frac)) << text;
        ASSERT_EQ(text_of(write_mean_year, back), text);
    }
}

} // namespace
