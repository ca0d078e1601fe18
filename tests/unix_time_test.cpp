// Unix text: written in either base and read back to the same second.
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include "property_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr uint64_t UNIX_EPOCH = 62135769600;

TimePoint at(uint64_t secs, uint64_t frac = 0) {
    return {secs >> 32, secs & HALF_MASK, frac};
}

TEST(UnixWriter, FloorOfTheInstant) {
    struct {
        uint64_t secs, frac;
        const char *decimal, *hex;
    } const cases[] = {
        {0, 0, "U-62135769600", "U-0xe77949a00"},
        {~uint64_t{0}, 0xffffffff, "U18446744011573782015", "U0xfffffff1886b65ff"},
        {UNIX_EPOCH, 0, "U0", "U0x0"},
        {UNIX_EPOCH, 0xffffffff, "U0", "U0x0"},
        {UNIX_EPOCH - 1, 0, "U-1", "U-0x1"},
        {UNIX_EPOCH - 1, 0x80000000, "U-1", "U-0x1"},
        {UNIX_EPOCH + 255, 0, "U255", "U0xff"},
    };
    for (const auto &c : cases) {
        errno = 0;
        EXPECT_STREQ(write_unix_decimal(at(c.secs, c.frac)), c.decimal);
        EXPECT_STREQ(write_unix_hex(at(c.secs, c.frac)), c.hex);
        EXPECT_EQ(errno, 0);
    }
}

TEST(UnixReader, WholeSecondsAndFlag) {
    struct {
        const char *text;
        uint64_t secs;
        bool flag;
    } const cases[] = {
        {"U0", UNIX_EPOCH, false},
        {"u0", UNIX_EPOCH, false},
        {"U-0", UNIX_EPOCH, false},
        {"U0x1F", UNIX_EPOCH + 31, false},
        {"U0X1f", UNIX_EPOCH + 31, false},
        {"u-0x10", UNIX_EPOCH - 16, false},
        {"U-62135769600", 0, false},
        {"U-0xe77949a00", 0, false},
        {"U-62135769601", ~uint64_t{0}, true},
        {"U18446744011573782015", ~uint64_t{0}, false},
        {"U0xfffffff1886b65ff", ~uint64_t{0}, false},
        {"U18446744011573782016", 0, true},
        {"U18446744073709551616", UNIX_EPOCH, true},
    };
    for (const auto &c : cases) {
        TimePoint tp{7, 7, 7};
        errno = 0;
        ASSERT_EQ(read_unix_time(c.text, tp), READ_OK) << c.text;
        EXPECT_EQ(wide_join(tp.sec_hi, tp.sec_lo), c.secs) << c.text;
        EXPECT_EQ(tp.frac, 0U) << c.text;
        EXPECT_EQ(errno == ERANGE, c.flag) << c.text;
    }
}

TEST(UnixReader, OnlyUTextIsMine) {
    for (const char *text : {"", "X5", "5", "[0]0000", "1970-01-01"}) {
        TimePoint tp{1, 2, 3};
        EXPECT_EQ(read_unix_time(text, tp), READ_NOT_MINE) << text;
        EXPECT_EQ(tp.sec_hi, 1U);
    }
}

TEST(UnixRoundTrip, EverySecondCountInBothBases) {
    std::mt19937_64 rng(1970);
    for (int i = 0, runs = property_runs(200000); i < runs; ++i) {
        uint64_t secs = rng();
        if (i % 4 == 1) secs >>= rng() % 64; // small counts, and both sides of Unix time 0
        if (i % 4 == 2) secs = UNIX_EPOCH + (rng() % 2000000) - 1000000;
        const TimePoint tp = at(secs, rng() & HALF_MASK);
        for (const Writer write : {write_unix_decimal, write_unix_hex}) {
            const std::string text = write(tp);
            TimePoint back{};
            errno = 0;
            ASSERT_EQ(read_unix_time(text.c_str(), back), READ_OK) << text;
            ASSERT_EQ(errno, 0) << text;
            ASSERT_EQ(wide_join(back.sec_hi, back.sec_lo), secs) << text;
            ASSERT_EQ(write(back), text);
        }
    }
}

} // namespace
