// Wide numbers against 128-bit arithmetic, which cannot share their faults.
#include "wide/wide.h"

#include "support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr U128 TWO_64 = U128{1} << 64;

struct Flagged {
    uint64_t value;
    bool flag;
};

// Runs op with the flag set and again with it clear: the flag is sticky, so
// the first run must end set whatever op did.
template <typename Op>
Flagged flagged(Op op) {
    Overflow sticky{true};
    const uint64_t once = op(sticky);
    EXPECT_TRUE(sticky.set) << "an operation cleared the flag";
    Overflow flag;
    const uint64_t value = op(flag);
    EXPECT_EQ(value, once) << "the result depends on the flag";
    return {value, flag.set};
}

struct ArithCase {
    char op;
    uint64_t a, b;
    uint64_t want;
    bool flag;
};

// The flagged operation; the writers' plain one must give the same value.
uint64_t apply(const ArithCase &c, Overflow &flag) {
    const Wide a = wide_split(c.a), b = wide_split(c.b);
    const auto factor = static_cast<uint32_t>(c.b);
    switch (c.op) {
    case '+':
        EXPECT_EQ(wide_join(wide_add(a, b)), wide_join(wide_add(a, b, flag)));
        return wide_join(wide_add(a, b, flag));
    case '-':
        EXPECT_EQ(wide_join(wide_sub(a, b)), wide_join(wide_sub(a, b, flag)));
        return wide_join(wide_sub(a, b, flag));
    case '*':
        EXPECT_EQ(wide_join(wide_mul(a, factor)), wide_join(wide_mul(a, factor, flag)));
        return wide_join(wide_mul(a, factor, flag));
    case '/':
        return wide_join(wide_div(a, static_cast<uint32_t>(c.b)));
    default:
        return wide_mod(a, static_cast<uint32_t>(c.b));
    }
}

TEST(WideArithmetic, CarryBorrowAndOverflowEdges) {
    const ArithCase cases[] = {
        {'+', MAX, 1, 0, true},
        {'+', MAX, MAX, MAX - 1, true},
        {'+', 62135769600, 0, 62135769600, false},
        {'+', 0xffffffff, 1, 0x100000000, false}, // carry into the high half
        {'+', 0xffffffff00000000, 0xffffffff, MAX, false},
        {'-', 0, 1, MAX, true},
        {'-', 5, 5, 0, false},
        {'-', 0x100000000, 1, 0xffffffff, false}, // borrow from the high half
        {'-', 0x100000000, 0x100000001, MAX, true},
        {'*', 429496729ULL << 32 | 2576980378ULL, 10, 4, true},
        {'*', 429496729ULL << 32 | 2576980377ULL, 10, MAX - 5, false},
        {'*', 0xffffffff, 0xffffffff, 0xfffffffe00000001, false},
        {'*', MAX, 0, 0, false},
        {'/', 1ULL << 32, 2, 2147483648, false},
        {'/', MAX, 1, MAX, false},
        {'/', MAX, 0xffffffff, 0x100000001, false},
        {'%', 1ULL << 32, 10, 6, false},
        {'%', MAX, 0xffffffff, 0, false},
    };
    for (const auto &c : cases) {
        const Flagged r = flagged([&](Overflow &flag) { return apply(c, flag); });
        EXPECT_EQ(r.value, c.want) << c.a << ' ' << c.op << ' ' << c.b;
        EXPECT_EQ(r.flag, c.flag) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

// Operands weighted toward the edges where carries and borrows happen.
uint64_t edgy(std::mt19937_64 &rng) {
    const uint64_t r = rng();
    switch (r % 6) {
    case 0:
        return r >> (r % 64);
    case 1:
        return MAX - (r >> 40);
    case 2:
        return (r >> 32) << 32;
    case 3:
        return (r & 0xffffffff) | 0xffffffff00000000;
    default:
        return rng();
    }
}

TEST(WideArithmetic, AgreesWith128BitArithmetic) {
    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 200000; ++i) {
        const uint64_t a = edgy(rng), b = edgy(rng);
        const uint32_t d = static_cast<uint32_t>(edgy(rng)) | 1;
        const U128 sum = U128{a} + b, product = U128{a} * d;
        const auto run = [&](char op, uint64_t x, uint64_t y) {
            return flagged([&](Overflow &flag) { return apply({op, x, y, 0, false}, flag); });
        };
        EXPECT_EQ(run('+', a, b).flag, sum >= TWO_64);
        EXPECT_EQ(run('+', a, b).value, sum.lo);
        EXPECT_EQ(run('-', a, b).flag, a < b);
        EXPECT_EQ(run('-', a, b).value, a - b);
        EXPECT_EQ(run('*', a, d).flag, product >= TWO_64);
        EXPECT_EQ(run('*', a, d).value, product.lo);
        EXPECT_EQ(run('/', a, d).value, a / d);
        EXPECT_EQ(run('%', a, d).value, a % d);
        if (HasFailure()) break;
    }
}

struct ReadCase {
    const char *text;
    unsigned base; // 0: a decimal run, flagged when it passes 2^32 - 1
    uint64_t want;
    bool flag;
    size_t consumed;
};

TEST(DigitReaders, ValuesFlagsAndEnds) {
    const ReadCase cases[] = {
        {"18446744073709551615", 10, MAX, false, 20},
        {"18446744073709551616", 10, 0, true, 20},
        {"000000000000000000000000018446744073709551615", 10, MAX, false, 45},
        {"99999999999999999999", 10, 7766279631452241919ULL, true, 20},
        {"0x10", 10, 0, false, 1},
        {"12]", 10, 12, false, 2},
        {"1a", 10, 1, false, 1},
        {"007", 10, 7, false, 3},
        {"", 10, 0, false, 0},
        {"-5", 10, 0, false, 0},
        {"\xb5", 10, 0, false, 0},
        {"12\xfe", 10, 12, false, 2}, // the last bytes straight after digits, in either place
        {"123\xff", 10, 123, false, 3},
        {"ffffffffffffffff", 16, MAX, false, 16},
        {"10000000000000000", 16, 0, true, 17},
        {"1A", 16, 26, false, 2},
        {"fFg", 16, 255, false, 2},
        {"fe\xfe", 16, 254, false, 2},
        {"F\xff", 16, 15, false, 1},
        {"4294967295", 0, 4294967295, false, 10},
        {"4294967296", 0, 4294967296, true, 10},
        {"18446744073709551616", 0, 0, true, 20},
        {"12.5", 0, 12, false, 2},
        {"0009", 0, 9, false, 4},
        {"000000000000000000000012", 0, 12, false, 24},
        {"a", 0, 0, false, 0},
        {"9\xff", 0, 9, false, 1},
    };
    for (const auto &c : cases) {
        const char *end = c.text;
        const Flagged r = c.base ? flagged([&](Overflow &flag) {
            return wide_join(read_wide_digits(c.text, &end, c.base, flag));
        })
                                 : Flagged{decimal_run(end), false};
        EXPECT_EQ(r.value, c.want) << c.text;
        EXPECT_EQ(c.base ? r.flag : passes_half(c.text, end, r.value), c.flag) << c.text;
        EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed) << c.text;
    }
}

TEST(DigitReaders, HugeRunsWrapWithoutHarm) {
    const std::string ones(1 << 20, '1');
    Overflow flag;
    const char *end = nullptr;
    const Wide w = read_wide_digits(ones.c_str(), &end, 10, flag);
    EXPECT_TRUE(flag.set);
    EXPECT_EQ(end, ones.c_str() + ones.size());
    // (10^n - 1) / 9 mod 2^64 for n = 2^20 in closed form: 10^n by squaring 20
    // times, then the exact division by 9 as a product with 9's inverse mod 2^64.
    uint64_t ten_to_n = 10;
    for (int i = 0; i < 20; ++i) ten_to_n *= ten_to_n;
    EXPECT_EQ(wide_join(w), (ten_to_n - 1) * 0x8e38e38e38e38e39);
}

TEST(PutDigits, BasesAndMinimumDigits) {
    struct {
        uint64_t v;
        unsigned base, min;
        const char *want;
    } const cases[] = {
        {12345, 10, 4, "12345"},
        {7, 10, 4, "0007"},
        {0, 10, 1, "0"},
        {0, 10, 0, ""},
        {255, 16, 4, "00ff"},
        {MAX, 10, 1, "18446744073709551615"},
        {MAX, 16, 1, "ffffffffffffffff"},
        {0, 10, 20, "00000000000000000000"},
        {4294967295, 10, 1, "4294967295"}, // the last value laid out in 32 bits
        {4294967296, 10, 1, "4294967296"},
    };
    for (const auto &c : cases) {
        char text[24] = {}; // terminated after any digits
        put_digits(text, c.v, c.base, c.min);
        EXPECT_STREQ(text, c.want);
    }
}

TEST(PutDigits, ReadsBackInBothBases) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 100000; ++i) {
        const uint64_t v = edgy(rng);
        for (unsigned base : {10U, 16U}) {
            char text[24] = {}; // terminated after any digits
            put_digits(text, v, base, 1);
            const char *end = nullptr;
            Overflow flag;
            const Wide back = read_wide_digits(text, &end, base, flag);
            ASSERT_EQ(wide_join(back), v) << base;
            ASSERT_FALSE(flag.set);
        }
    }
}

} // namespace
