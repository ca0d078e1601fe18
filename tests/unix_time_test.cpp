// Unix text: written in either base and read back to the same second.
#include "unixtime/unix_time.h"

#include "support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(UnixWriter, FloorOfTheInstant) {
    struct {
        uint64_t secs, frac;
        const char *decimal, *hex;
    } const cases[] = {
        {0, 0, "U-62135769600", "U-0xe77949a00"},
        {MAX, LAST_FRAC, "U18446744011573782015", "U0xfffffff1886b65ff"},
        {UNIX_EPOCH_SECONDS, 0, "U0", "U0x0"},
        {UNIX_EPOCH_SECONDS, LAST_FRAC, "U0", "U0x0"},
        {UNIX_EPOCH_SECONDS - 1, 0, "U-1", "U-0x1"},
        {UNIX_EPOCH_SECONDS - 1, 0x80000000, "U-1", "U-0x1"},
        {UNIX_EPOCH_SECONDS + 255, 0, "U255", "U0xff"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(text_of(write_unix_decimal, at(c.secs, c.frac)), c.decimal);
        EXPECT_EQ(text_of(write_unix_hex, at(c.secs, c.frac)), c.hex);
    }
}

TEST(UnixReader, WholeSecondsAndFlag) {
    struct {
        const char *text;
        uint64_t secs;
        bool flag;
    } const cases[] = {
        {"U0", UNIX_EPOCH_SECONDS, false},
        {"u0", UNIX_EPOCH_SECONDS, false},
        {"U-0", UNIX_EPOCH_SECONDS, false},
        {"U0x1F", UNIX_EPOCH_SECONDS + 31, false},
        {"U0X1f", UNIX_EPOCH_SECONDS + 31, false},
        {"u-0x10", UNIX_EPOCH_SECONDS - 16, false},
        {"U-62135769600", 0, false},
        {"U-0xe77949a00", 0, false},
        {"U-62135769601", MAX, true},
        {"U18446744011573782015", MAX, false},
        {"U0xfffffff1886b65ff", MAX, false},
        {"U18446744011573782016", 0, true},
        {"U18446744073709551616", UNIX_EPOCH_SECONDS, true},
    };
    for (const auto &c : cases) {
        const Reading r = read_with(read_unix_time, c.text);
        ASSERT_EQ(r.result, READ_OK) << c.text;
        EXPECT_EQ(secs_of(r.tp), c.secs) << c.text;
        EXPECT_EQ(r.tp.frac, 0U) << c.text;
        EXPECT_EQ(r.flag, c.flag) << c.text;
    }
}

TEST(UnixReader, OnlyUTextIsMine) {
    for (const char *text : {"", "X5", "5", "[0]0000", "1970-01-01"}) {
        EXPECT_EQ(read_with(read_unix_time, text).result, READ_NOT_MINE) << text;
    }
}

TEST(UnixRoundTrip, EverySecondCountInBothBases) {
    std::mt19937_64 rng(1970);
    for (int i = 0, runs = property_runs(200000); i < runs; ++i) {
        uint64_t secs = rng();
        if (i % 4 == 1) secs >>= rng() % 64; // small counts, and both sides of Unix time 0
        if (i % 4 == 2) secs = UNIX_EPOCH_SECONDS + (rng() % 2000000) - 1000000;
        const TimePoint tp = at(secs, rng() & LAST_FRAC);
        for (const Writer write : {write_unix_decimal, write_unix_hex}) {
            const std::string text = text_of(write, tp);
            TimePoint back{};
            ASSERT_EQ(read_unix_time(text.c_str(), back), READ_OK) << text;
            ASSERT_EQ(secs_of(back), secs) << text;
            ASSERT_EQ(text_of(write, back), text);
        }
    }
}

} // namespace
