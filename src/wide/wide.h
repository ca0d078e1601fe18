// Unsigned 64-bit quantities as two 32-bit halves, with overflow reported in
// the caller's out-of-range flag and never fatal. No operation clears the
// flag, so a chain of operations reports any overflow once, at the end.
//
// The arithmetic joins the halves into one 64-bit word and splits the result
// again: the same values and flags as carrying between halves by hand, at a
// fraction of the instructions.
#pragma once

#include "time_point.h"

#include <cstdint>
#include <cstring>

namespace aeonmark {

struct Wide {
    uint64_t hi;
    uint64_t lo;
};

constexpr uint64_t HALF_MASK = 0xffffffffU; // 2^32 - 1, the largest half

constexpr uint64_t wide_join(uint64_t hi, uint64_t lo) {
    return hi << 32 | lo;
}
constexpr uint64_t wide_join(Wide w) {
    return wide_join(w.hi, w.lo);
}
// Also the one way to write a constant: wide_split(62135769600).
constexpr Wide wide_split(uint64_t v) {
    return {v >> 32, v & HALF_MASK};
}

// A TimePoint's whole seconds as one wide number, and a TimePoint of them.
constexpr Wide seconds_of(const TimePoint &tp) {
    return {tp.sec_hi, tp.sec_lo};
}
constexpr TimePoint time_point(Wide seconds, uint64_t frac) {
    return {seconds.hi, seconds.lo, frac};
}

// The out-of-range flag of one reading: a local of the reader, set by any
// step whose result does not fit and never cleared, which the reader turns
// into its result. A value rather than errno: no call into the C library,
// and nothing another caller can see.
struct Overflow {
    bool set = false;
};

// A reader's result once it has filled in the instant: AEONMARK_OUT_OF_RANGE
// when a step flagged, else READ_OK.
constexpr ReadResult read_result(Overflow flag) {
    return flag.set ? AEONMARK_OUT_OF_RANGE : READ_OK;
}

// (a + b) mod 2^64; flags a + b > 2^64 - 1.
inline Wide wide_add(Wide a, Wide b, Overflow &flag) {
    uint64_t sum;
    if (__builtin_add_overflow(wide_join(a), wide_join(b), &sum)) [[unlikely]]
        flag.set = true;
    return wide_split(sum);
}

// (a - b) mod 2^64; flags a < b.
inline Wide wide_sub(Wide a, Wide b, Overflow &flag) {
    uint64_t diff;
    if (__builtin_sub_overflow(wide_join(a), wide_join(b), &diff)) [[unlikely]]
        flag.set = true;
    return wide_split(diff);
}

// (a * factor) mod 2^64; flags a product > 2^64 - 1.
inline Wide wide_mul(Wide a, uint32_t factor, Overflow &flag) {
    uint64_t product;
    if (__builtin_mul_overflow(wide_join(a), uint64_t{factor}, &product)) [[unlikely]]
        flag.set = true;
    return wide_split(product);
}

// The same where the result is known to fit, as every step of the writers
// does: mod 2^64, with no flag to set.
inline Wide wide_add(Wide a, Wide b) {
    return wide_split(wide_join(a) + wide_join(b));
}
inline Wide wide_sub(Wide a, Wide b) {
    return wide_split(wide_join(a) - wide_join(b));
}
inline Wide wide_mul(Wide a, uint32_t factor) {
    return wide_split(wide_join(a) * factor);
}

// floor(a / divisor), divisor >= 1; never overflows.
inline Wide wide_div(Wide a, uint32_t divisor) {
    return wide_split(wide_join(a) / divisor);
}

// a mod divisor, divisor >= 1; never overflows.
inline uint32_t wide_mod(Wide a, uint32_t divisor) {
    return static_cast<uint32_t>(wide_join(a) % divisor);
}

// The decimal digits 0 to 9, the digit class of the default locale; no byte
// from 128 to 255 is one.
inline bool is_decimal_digit(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0' < 10U;
}

// Value of each byte as a digit of base 16 or less; any other byte, those
// from 128 to 255 included, is not a digit.
inline constexpr struct DigitValues {
    uint8_t of[256];
    constexpr DigitValues() : of{} {
        for (auto &v : of) v = 0xff;
        for (int c = '0'; c <= '9'; ++c) of[c] = static_cast<uint8_t>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c) of[c] = static_cast<uint8_t>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c) of[c] = static_cast<uint8_t>(c - 'A' + 10);
    }
} digit_values;

// The decimal run at text mod 2^64, within t; text moves past it. Nothing
// wraps below 20 digits.
template <typename Text = NulEnded>
[[gnu::always_inline]] inline uint64_t decimal_run(const char *&text, Text t = {}) {
    uint64_t v = 0;
    for (;;) { // two digits a turn
        const unsigned first = static_cast<unsigned char>(t.at(text)) - unsigned{'0'};
        if (first >= 10) return v;
        // text[0] is a digit, so text + 1 is within the text or its end.
        const unsigned second = static_cast<unsigned char>(t.at(text + 1)) - unsigned{'0'};
        if (second >= 10) {
            ++text;
            return v * 10 + first;
        }
        v = v * 100 + (first * 10 + second);
        text += 2;
    }
}

// The digits from first to end that follow its leading zeros.
inline const char *significant(const char *first, const char *end) {
    while (first != end && *first == '0') ++first;
    return first;
}

// Whether the decimal run from start to end, read as v mod 2^64, is past
// 2^32 - 1: twenty significant digits are, however they wrap.
inline bool passes_half(const char *start, const char *end, uint64_t v) {
    return v > HALF_MASK || (end - start >= 20 && end - significant(start, end) >= 20);
}

// Whether the decimal run from start to end is past 2^64 - 1: more than 20
// significant digits are; twenty are when their first nineteen pass
// (2^64 - 1 - the last) / 10.
inline bool passes_wide(const char *start, const char *end) {
    if (end - start < 20) return false;
    const char *const first = significant(start, end);
    if (end - first != 20) return end - first > 20;
    uint64_t head = 0; // the first nineteen: below 10^19
    for (const char *p = first; p != end - 1; ++p)
        head = head * 10 + static_cast<unsigned char>(*p) - '0';
    return head > (UINT64_MAX - (static_cast<unsigned char>(end[-1]) - unsigned{'0'})) / 10;
}

// Reads a run of digits of base 10 or 16 (both cases) from text, within t;
// no sign, prefix or space. Stores the first unconsumed position in *end.
// Returns the number mod 2^64; flags when it exceeds 2^64 - 1. An empty run
// gives 0.
template <typename Text = NulEnded>
[[gnu::always_inline]] inline Wide read_wide_digits(const char *text, const char **end,
                                                    unsigned base, Overflow &flag, Text t = {}) {
    const char *const start = text;
    uint64_t v = 0;
    bool overflow = false;
    if (base == 16) {
        for (unsigned d; (d = digit_values.of[static_cast<unsigned char>(t.at(text))]) < 16;
             ++text) {
            overflow |= v >> 60 != 0;
            v = v << 4 | d;
        }
    } else {
        v = decimal_run(text, t);
        overflow = passes_wide(start, text);
    }
    *end = text;
    if (overflow) flag.set = true;
    return wide_split(v);
}

// "00" to "99": decimal digits are laid out two at a time.
inline constexpr struct DigitPairs {
    char of[200];
    constexpr DigitPairs() : of{} {
        for (size_t i = 0; i < 100; ++i) {
            of[i * 2] = static_cast<char>('0' + i / 10);
            of[i * 2 + 1] = static_cast<char>('0' + i % 10);
        }
    }
} digit_pairs;

// Lays out the two digits of 0 to 99 at out.
inline void put_pair(char *out, uint64_t value) {
    memcpy(out, digit_pairs.of + value * 2, 2);
}

// 10^0 to 10^19.
inline constexpr struct PowersOfTen {
    uint64_t of[20];
    constexpr PowersOfTen() : of{} {
        uint64_t p = 1;
        for (auto &v : of) {
            v = p;
            p *= 10;
        }
    }
} powers_of_ten;

// How many digits value has in base 10 or 16; none for 0.
inline unsigned digit_count(uint64_t value, unsigned base) {
    if (value == 0) return 0;
    const auto bits = static_cast<unsigned>(64 - __builtin_clzll(value));
    if (base == 16) return (bits + 3) / 4;
    // 1233 / 4096 is just above log10(2): t is the digit count or one less.
    const unsigned t = bits * 1233 >> 12;
    return t + (value >= powers_of_ten.of[t]);
}

// Fills out to end with the last end - out decimal digits of value, leading
// zeros included: four a turn from the right, then two, then one. Word is
// uint32_t whenever the value fits, as its division is the cheaper.
template <typename Word>
inline void put_decimal(char *out, char *end, Word value) {
    char *p = end;
    while (p - out >= 4) {
        const auto four = static_cast<uint32_t>(value % 10000);
        value /= 10000;
        p -= 4;
        put_pair(p, four / 100);
        put_pair(p + 2, four % 100);
    }
    if (p - out >= 2) {
        p -= 2;
        put_pair(p, value % 100);
        value /= 100;
    }
    if (p != out) *--p = static_cast<char>('0' + value);
}

// Writes the digits of value in base 10 or 16 (lower case), zero-filled in
// front to at least min_digits (0 to 20), at out, and returns the position
// after them; nothing is terminated. 0 with min_digits 0 writes nothing.
// Every digit text of the program is laid out here.
inline char *put_digits(char *out, uint64_t value, unsigned base, unsigned min_digits) {
    // A field of fixed width needs no count of its digits.
    unsigned width = min_digits;
    if (base == 16 || (min_digits < 20 && value >= powers_of_ten.of[min_digits])) {
        const unsigned digits = digit_count(value, base);
        if (digits > width) width = digits;
    }
    char *const end = out + width;
    if (base == 16) {
        char *p = end;
        for (; value != 0; value /= 16) *--p = "0123456789abcdef"[value % 16];
        while (p != out) *--p = '0';
    } else if (width == 2) {
        put_pair(out, value);
    } else if (value <= UINT32_MAX) {
        put_decimal(out, end, static_cast<uint32_t>(value));
    } else {
        put_decimal(out, end, value);
    }
    return end;
}

} // namespace aeonmark
