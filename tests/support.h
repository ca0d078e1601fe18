// What the tests share: facts and helpers written once, apart from the code
// under test, so that they can serve as its oracle.
#pragma once

#include "time_point.h"

#include <gtest/gtest.h>

#include <compare>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

// The tests name the core's parts throughout.
using namespace aeonmark;

constexpr uint64_t MAX = ~uint64_t{0};     // the largest 64-bit number, the last TimePoint second
constexpr uint64_t LAST_FRAC = 0xffffffff; // the last 2^-32 s of a second
constexpr uint64_t UNIX_EPOCH_SECONDS = 62135769600; // 1970-01-01T00:00:00 as TimePoint seconds

// A TimePoint of a 64-bit count of seconds, and its count again: split and
// joined by hand, so that the program's wide numbers are checked, not used.
constexpr TimePoint at(uint64_t secs, uint64_t frac = 0) {
    return {secs >> 32, secs & 0xffffffff, frac};
}
constexpr uint64_t secs_of(const TimePoint &tp) {
    return tp.sec_hi << 32 | tp.sec_lo;
}

// No text the tests read gives this TimePoint, so a reader that leaves it
// alone can be seen to.
constexpr TimePoint MARKED{1, 2, 3};
constexpr bool untouched(const TimePoint &tp) {
    return tp.sec_hi == 1 && tp.sec_lo == 2 && tp.frac == 3;
}

// How many random cases a property checks: its own count in the normal run,
// ten million with AEONMARK_LONG_PROPERTIES=1.
inline int property_runs(int normal) {
    const char *long_run = std::getenv("AEONMARK_LONG_PROPERTIES");
    return long_run != nullptr && std::strcmp(long_run, "1") == 0 ? 10000000 : normal;
}

// What a reader made of one text, into the marked TimePoint. Whatever the
// text, a reader answers READ_OK, AEONMARK_OUT_OF_RANGE (with the wrapped
// instant), READ_NOT_MINE or another problem of the text, which no clock's
// is; it fills the TimePoint, each field within 32 bits, on the first two
// alone. Both read: result READ_OK, flag telling them apart.
struct Reading {
    ReadResult result;
    TimePoint tp;
    bool flag;       // the instant was out of range
    std::string err; // the problem's words, when the reader failed the text
};
inline Reading read_with(Reader reader, const char *text) {
    Reading r{READ_NOT_MINE, MARKED, false, ""};
    r.result = reader(text, r.tp);
    const std::string_view shown = std::string_view(text).substr(0, 40);
    EXPECT_NE(r.result, AEONMARK_CLOCK_UNREADABLE) << shown;
    if (r.result == AEONMARK_OUT_OF_RANGE) {
        r.flag = true;
        r.result = READ_OK;
    }
    if (r.result != READ_OK && r.result != READ_NOT_MINE) r.err = aeonmark_problem_text(r.result);
    if (r.result == READ_OK)
        EXPECT_LE(r.tp.sec_hi | r.tp.sec_lo | r.tp.frac, 0xffffffffU) << shown;
    else
        EXPECT_TRUE(untouched(r.tp)) << "touched though not read: " << shown;
    return r;
}

// A writer's text for tp, with the aeonmark fraction digits given.
inline std::string text_of(Writer writer, const TimePoint &tp, int digits = 2) {
    char text[WRITER_TEXT_MAX];
    return {text, writer(tp, digits, text)};
}

// Messages are checked for their words here; the whole line, byte for byte,
// in the end-to-end tables. A failure shows both, cut short.
inline testing::AssertionResult mentions(const std::string &message, const std::string &words) {
    if (message.find(words) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << '"' << message.substr(0, 80) << "\" lacks \"" << words.substr(0, 40) << '"';
}

// The tests' own calendar rules. Julian leap years are those divisible by 4;
// Gregorian ones are too, but of the centuries only those divisible by 400.
constexpr bool is_leap(uint64_t year, bool gregorian) {
    return year % 4 == 0 && (!gregorian || year % 100 != 0 || year % 400 == 0);
}
// The days of month 1 to 12.
constexpr unsigned days_in_month(unsigned month, bool leap) {
    constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return days[month - 1] + (month == 2 && leap);
}

// Unsigned 128-bit numbers, wrapping mod 2^128 as unsigned __int128 does on
// the targets that have it. An oracle for the program's arithmetic, so it is
// worked out in 32-bit limbs with carries by hand and shares no code with it.
struct U128 {
    uint64_t hi = 0, lo = 0;

    constexpr U128() = default;
    constexpr U128(uint64_t value) : lo(value) {}
    constexpr U128(uint64_t high, uint64_t low) : hi(high), lo(low) {}

    friend constexpr U128 operator+(U128 a, U128 b) {
        const uint64_t sum = a.lo + b.lo;
        return {a.hi + b.hi + uint64_t{sum < a.lo}, sum};
    }
    friend constexpr U128 operator-(U128 a, U128 b) {
        return {a.hi - b.hi - uint64_t{a.lo < b.lo}, a.lo - b.lo};
    }
    constexpr U128 &operator+=(U128 b) { return *this = *this + b; }
    constexpr U128 &operator-=(U128 b) { return *this = *this - b; }
    friend constexpr U128 operator*(U128 a, U128 b) {
        constexpr uint64_t LIMB = 0xffffffff;
        const uint64_t a0 = a.lo & LIMB, a1 = a.lo >> 32, b0 = b.lo & LIMB, b1 = b.lo >> 32;
        const uint64_t low = a0 * b0, cross1 = a0 * b1, cross2 = a1 * b0;
        const uint64_t middle = (low >> 32) + (cross1 & LIMB) + (cross2 & LIMB); // < 3 * 2^32
        // The products with a high half count from 2^64, so only their low 64
        // bits stay below 2^128.
        const uint64_t high =
            a1 * b1 + (cross1 >> 32) + (cross2 >> 32) + (middle >> 32) + a.hi * b.lo + a.lo * b.hi;
        return {high, middle << 32 | (low & LIMB)};
    }
    friend constexpr U128 operator<<(U128 a, unsigned shift) { // shift < 128
        if (shift >= 64) return {a.lo << (shift - 64), 0};
        if (shift == 0) return a;
        return {a.hi << shift | a.lo >> (64 - shift), a.lo << shift};
    }
    // floor(a / divisor), divisor >= 1: long division, one 32-bit limb at a time.
    friend constexpr U128 operator/(U128 a, uint32_t divisor) {
        const uint64_t limbs[4] = {a.hi >> 32, a.hi & 0xffffffff, a.lo >> 32, a.lo & 0xffffffff};
        uint64_t quotient[4] = {}, remainder = 0;
        for (int i = 0; i < 4; ++i) {
            const uint64_t part = remainder << 32 | limbs[i]; // < divisor * 2^32
            quotient[i] = part / divisor;
            remainder = part % divisor;
        }
        return {quotient[0] << 32 | quotient[1], quotient[2] << 32 | quotient[3]};
    }
    friend constexpr auto operator<=>(const U128 &, const U128 &) = default;

    friend std::ostream &operator<<(std::ostream &out, const U128 &v) {
        return out << v.hi << " * 2^64 + " << v.lo;
    }
};

// Carries and borrows between the halves, products wrapping past 2^128, and
// remainders carried down the limbs.
static_assert(U128{MAX} + 1 == U128{1, 0} && U128{1, 0} - 1 == U128{MAX});
static_assert(U128{MAX} * MAX == U128{MAX - 1, 1});
static_assert(U128{1, 1} * MAX == U128{MAX, MAX});
static_assert(U128{0x123456789, 0xabcdef} * (U128{1} << 80) == U128{0xabcdef0000, 0});
static_assert(U128{MAX, MAX} / 10 == U128{0x1999999999999999, 0x9999999999999999});
