// Aeonmark text read back: exact instants at every region boundary (values
// worked out with exact fractions from the region table), the count limits,
// text that is not aeonmark, and the round trip with the writer over the
// whole 64-bit range against a 128-bit oracle.
#include "aeonmark/aeonmark.h"

#include "support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

namespace {

struct Instant {
    const char *text;
    uint64_t secs, frac;
};

TEST(AeonmarkReader, ExactInstantAtRegionBoundaries) {
    const Instant cases[] = {
        {"[-395]3530", 0, 0},
        {"[-395]3530.000001", 0, 74217035},
        {"[-395]9999.999999", 111801599, 4220750262},
        {"[-36]9350", 62135769600, 0},
        {"[-26]8727.5", 63853012800, 0},
        {"[-5]9999", 67503784320, 0},
        {"[-1]0000", 68022201600, 0},
        {"[-1]9999.999999", 68195001599, 4220750262},
        {"[0]0000", 68195001600, 0},
        {"[0]0000.000057", 68195001600, 4230370988},
        {"[1]1.123456", 68367821013, 1373015146},
        {"[18]9999.999999", 71478201599, 4220750262},
        {"[19]0000", 71478201600, 0},
        {"[19]7339.999999", 71605036799, 4220750262},
        {"[19]7340", 71605036800, 0},
        {"[19]7340.5", 71605468800, 0},
        {"[19]7341", 71605900800, 0},
        {"[19]7839.000001", 72036172800, 3710851744},
        {"[19]7839.999999", 72037036799, 584115553},
        {"[19]7840", 72037036800, 0},
        {"[19]7840.123456", 72037058133, 845249564},
        {"[19]9999", 72410112000, 0},
        {"[19]9999.999999", 72410284799, 3552796948},
        {"[20]0000", 72410284800, 0},
        {"[20]0001.000001", 72410457600, 742170349},
        {"[20]5005", 73275148800, 0},
        {"[20]5005.999999", 73275321599, 3552796948},
        {"[21]00000", 73275321600, 0},
        {"[21]00000.5", 73275337378, 2044404433},
        {"[21]1", 73275353156, 4088808866},
        {"[21]77000.896664", 75705235199, 4221128769},
        {"[21]99999", 76430985243, 206158431},
        {"[21]99999.999999", 76431016799, 4159431220},
        {"[22]00000", 76431016800, 0},
        {"[100]12345.678901", 322964834396, 2088512682},
        {"[5845540489]99999.999999", 18446744072704370399U, 4159431220},
        {"[5845540490]00000", 18446744072704370400U, 0},
        {"[5845540490]31852.924705", MAX, 4188877997},
    };
    for (const auto &c : cases) {
        const Reading r = read_with(read_aeonmark, c.text);
        ASSERT_EQ(r.result, READ_OK) << c.text;
        EXPECT_FALSE(r.flag) << c.text;
        EXPECT_EQ(secs_of(r.tp), c.secs) << c.text;
        EXPECT_EQ(r.tp.frac, c.frac) << c.text;
    }
}

// Well formed and within the count limits, but no TimePoint holds them.
TEST(AeonmarkReader, OutOfRangeInstantsAreReadWithTheFlag) {
    for (const char *text :
         {"[-395]3529.999999", "[-395]0000", "[-396]9999.999999", "[-5845540490]0",
          "[-18446744073709551615]9999", "[-0]0000", "[-000]5000.5", "[5845540490]31852.924706",
          "[5845540490]99999", "[5845540491]00000", "[18446744073709551615]0"}) {
        const Reading r = read_with(read_aeonmark, text);
        ASSERT_EQ(r.result, READ_OK) << text;
        EXPECT_TRUE(r.flag) << text;
    }
}

// The range test comes right after the count, before what follows it.
TEST(AeonmarkReader, CountLimitsOfEachEra) {
    const struct {
        const char *text;
        ReadResult result;
    } cases[] = {
        {"[-5]9999", READ_OK},
        {"[-5]10000", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[-0]10000", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[0]9999", READ_OK},
        {"[0]10000", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[19]9999", READ_OK},
        {"[19]10000", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[20]5005", READ_OK},
        {"[20]5006", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[21]99999", READ_OK},
        {"[21]100000", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[020]05006", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[1]4294967296", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[21]18446744073709551616", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[1]100000.5", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[19]10000zz", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[19]9999zz", READ_NOT_MINE},
        {"[18446744073709551616]0", AEONMARK_INTEGER_OUT_OF_RANGE},
        {"[-18446744073709551616]0", AEONMARK_INTEGER_OUT_OF_RANGE},
    };
    for (const auto &c : cases) {
        const Reading r = read_with(read_aeonmark, c.text);
        EXPECT_EQ(r.result, c.result) << c.text;
    }
}

// Not mine, the TimePoint untouched: the next reader gets its turn.
TEST(AeonmarkReader, TextThatIsNotAeonmark) {
    for (const char *text : {"",           "[",         "[]",       "[-]1",
                             "[+1]1",      "[--1]1",    "[1]",      "[1]x",
                             "[x]1",       "[1] 1",     "[ 1]1",    "[1]1 ",
                             "[1]+1",      "[1]-1",     "[1]1.x",   "[1]1.12a",
                             "[1]1.5 ",    "[1]1..5",   "[1]1.-5",  "[1a]0000",
                             "[5]12ab",    "[1",        "[12",      "[-",
                             "1]1",        "U0",        "[1]1\xe9", "[\xe9]1",
                             "[1]\xb2",    "[1]1.\xb9", "[-\xff]1", "[1]1.123456789\x80",
                             "[19]9999zz", "[1]1e3",    "[0x1]1",   "([1]1)"}) {
        EXPECT_EQ(read_with(read_aeonmark, text).result, READ_NOT_MINE) << text;
    }
}

TEST(AeonmarkReader, SpellingsOfTheSameInstant) {
    const struct {
        const char *text, *same;
    } cases[] = {
        {"[1]1", "[1]1.000000"},
        {"[1]1.", "[1]1.000000"},
        {"[5]1234", "[5]1234.000000"},
        {"[1]1.5", "[1]1.500000"},
        {"[1]1.1234567", "[1]1.123456"},
        {"[1]1.12345699999999999999", "[1]1.123456"},
        {"[01]0001", "[1]1"},
        {"[21]1", "[21]00001"},
        {"[19]07340.5", "[19]7340.5"},
        {"[0000000000000000000000000021]00000", "[21]00000"},
        {"[-0000000000000000000000000001]9999", "[-1]9999"},
    };
    for (const auto &c : cases) {
        const Reading a = read_with(read_aeonmark, c.text), b = read_with(read_aeonmark, c.same);
        ASSERT_EQ(a.result, READ_OK) << c.text;
        ASSERT_EQ(b.result, READ_OK) << c.same;
        EXPECT_FALSE(a.flag || b.flag) << c.text;
        EXPECT_EQ(secs_of(a.tp), secs_of(b.tp)) << c.text;
        EXPECT_EQ(a.tp.frac, b.tp.frac) << c.text;
    }
}

// Runs far longer than any number: read to their end, never past it.
TEST(AeonmarkReader, MegabyteDigitRuns) {
    const std::string zeros(1 << 20, '0'), nines(1 << 20, '9');
    const struct {
        std::string text;
        ReadResult result;
        bool flag;
    } cases[] = {
        {"[" + zeros + "]0", READ_OK, false},
        {"[-" + zeros + "1]9999", READ_OK, false},
        {"[" + nines + "]0", AEONMARK_INTEGER_OUT_OF_RANGE, false},
        {"[" + nines + "]0.5x", AEONMARK_INTEGER_OUT_OF_RANGE, false},
        {"[" + nines, READ_NOT_MINE, false},
        {"[1]" + zeros + "1", READ_OK, false},
        {"[1]" + nines, AEONMARK_INTEGER_OUT_OF_RANGE, false},
        {"[21]" + zeros + "99999." + nines, READ_OK, false},
        {"[1]1." + nines + "x", READ_NOT_MINE, false},
        {"[5845540491]0." + zeros, READ_OK, true},
    };
    for (const auto &c : cases) {
        const Reading r = read_with(read_aeonmark, c.text.c_str());
        EXPECT_EQ(r.result, c.result) << c.text.substr(0, 40);
        EXPECT_EQ(c.result == READ_OK && r.flag, c.flag) << c.text.substr(0, 40);
    }
}

// The instant the text names, worked out from the region table in 128-bit
// arithmetic and taken up to the next 2^-32 s: S * 2^32 + f. Only for text
// of an instant a TimePoint holds. A start before S = 0 wraps below zero, but
// the sum is never negative, and arithmetic mod 2^128 reaches it all the same.
U128 oracle(const std::string &text, uint64_t more_millionths = 0) {
    const size_t close = text.find(']'), point = text.find('.');
    const bool negative = text[1] == '-';
    const uint64_t era = std::stoull(text.substr(negative ? 2 : 1, close));
    const uint64_t count = std::stoull(text.substr(close + 1, point - close - 1));
    const std::string digits = point == std::string::npos ? "" : text.substr(point + 1);
    const U128 m = std::stoull((digits + "000000").substr(0, 6)) + more_millionths;
    // The region's first instant, its first count, and a count's length as
    // length_num / length_den seconds.
    U128 start = 68195001600, first = 0, length_num = 17280;
    uint32_t length_den = 1;
    if (negative) {
        start -= U128{era} * 172800000;
    } else if (era >= 21) {
        start = 73275321600 + U128{era - 21} * 3155695200;
        length_num = 31556952, length_den = 1000;
    } else if (era == 20) {
        start = 72410284800, length_num = 172800;
    } else if (era == 19 && count >= 7840) {
        start = 72037036800, first = 7840, length_num = 172800;
    } else if (era == 19 && count >= 7340) {
        start = 71605036800, first = 7340, length_num = 864000;
    } else {
        start += U128{era} * 172800000;
    }
    const uint32_t den = length_den * 1000000;
    const U128 num = (start * den + (U128{count} - first) * 1000000 * length_num + m * length_num)
                     << 32;
    return (num + den - 1) / den;
}

U128 fixed(const TimePoint &tp) {
    return (U128{secs_of(tp)} << 32) + tp.frac;
}

// Instants spread over the whole range, with extra weight at both ends and
// on either side of every region boundary and of many era boundaries.
TimePoint random_instant(std::mt19937_64 &rng) {
    static const uint64_t boundaries[] = {
        0,           62135769600, 68195001600, 71478201600,           71605036800, 72037036800,
        72410284800, 73275321600, 76431016800, 18446744072704370400U, MAX};
    uint64_t secs = rng();
    switch (rng() % 6) {
    case 0:
        break;
    case 1:
        secs >>= rng() % 64;
        break; // every order of magnitude
    case 2:
        secs = rng() % 73275321600 + 300000000;
        break; // old eras and beyond
    case 3:
        secs = 68195001600 - 172800000ULL * 394 + 172800000ULL * (rng() % 415);
        break;
    case 4:
        secs = 73275321600 + 3155695200 * (rng() % 5845540470);
        break;
    default:
        secs = boundaries[rng() % std::size(boundaries)];
        break;
    }
    if (rng() % 2) secs += rng() % 2000000 - 1000000; // wraps past either end
    uint64_t frac = rng() & LAST_FRAC;
    if (rng() % 4 == 0) frac = rng() % 2 ? 0 : LAST_FRAC;
    return at(secs, frac);
}

// Text written at full precision reads back to its exact instant, no later
// than the one written, and writes again to the same text; every shorter
// precision is that text cut short and reads back no later still.
TEST(AeonmarkRoundTrip, WholeRangeAndEveryRegion) {
    const int runs = property_runs(100000);
    std::mt19937_64 rng(2323);
    for (int i = 0; i < runs; ++i) {
        const TimePoint tp = random_instant(rng);
        const std::string text = text_of(write_aeonmark, tp, 6);
        TimePoint back{};
        ASSERT_EQ(read_aeonmark(text.c_str(), back), READ_OK) << text;
        ASSERT_LE(fixed(back), fixed(tp)) << text;
        ASSERT_TRUE(fixed(back) == oracle(text)) << text;
        // The text is the last one at or before the instant: one millionth
        // more names an instant after it.
        ASSERT_TRUE(oracle(text, 1) > fixed(tp)) << text;
        ASSERT_EQ(text_of(write_aeonmark, back, 6), text);
        const size_t point = text.find('.');
        for (int p = 0; p < 6; ++p) {
            const std::string cut = text_of(write_aeonmark, tp, p);
            ASSERT_EQ(cut, text.substr(0, p ? point + 1 + static_cast<size_t>(p) : point));
            TimePoint shorter{};
            ASSERT_EQ(read_aeonmark(cut.c_str(), shorter), READ_OK) << cut;
            ASSERT_LE(fixed(shorter), fixed(back)) << cut;
        }
    }
}

} // namespace
