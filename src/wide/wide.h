// Unsigned 64-bit quantities as two 32-bit halves, with overflow reported in
// errno (ERANGE) and never fatal. No operation clears the flag, so a chain of
// operations reports any overflow once, at the end.
//
// The arithmetic joins the halves into one 64-bit word and splits the result
// again: the same values and flags as carrying between halves by hand, at a
// fraction of the instructions.
#pragma once

#include <cerrno>
#include <cstdint>

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
constexpr Wide wide_split(uint64_t v) {
    return {v >> 32, v & HALF_MASK};
}

inline void set_out_of_range() {
    errno = ERANGE;
}

// (a + b) mod 2^64; flag when a + b > 2^64 - 1.
inline Wide wide_add(uint64_t a_hi, uint64_t a_lo, uint64_t b_hi, uint64_t b_lo) {
    uint64_t sum;
    if (__builtin_add_overflow(wide_join(a_hi, a_lo), wide_join(b_hi, b_lo), &sum))
        set_out_of_range();
    return wide_split(sum);
}

// (a - b) mod 2^64; flag when a < b.
inline Wide wide_sub(uint64_t a_hi, uint64_t a_lo, uint64_t b_hi, uint64_t b_lo) {
    uint64_t diff;
    if (__builtin_sub_overflow(wide_join(a_hi, a_lo), wide_join(b_hi, b_lo), &diff))
        set_out_of_range();
    return wide_split(diff);
}

// (a * factor) mod 2^64; flag when the product > 2^64 - 1.
inline Wide wide_mul(uint64_t a_hi, uint64_t a_lo, uint32_t factor) {
    uint64_t product;
    if (__builtin_mul_overflow(wide_join(a_hi, a_lo), uint64_t{factor}, &product))
        set_out_of_range();
    return wide_split(product);
}

// floor(a / divisor), divisor >= 1; never touches the flag.
inline Wide wide_div(uint64_t a_hi, uint64_t a_lo, uint32_t divisor) {
    return wide_split(wide_join(a_hi, a_lo) / divisor);
}

// a mod divisor, divisor >= 1; never touches the flag.
inline uint32_t wide_mod(uint64_t a_hi, uint64_t a_lo, uint32_t divisor) {
    return static_cast<uint32_t>(wide_join(a_hi, a_lo) % divisor);
}

// The decimal digits 0 to 9, the digit class of the default locale; no byte
// from 128 to 255 is one.
inline bool is_decimal_digit(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0' < 10U;
}

// Reads a run of digits of base 10 or 16 (both cases) from text; no sign,
// prefix or space. Stores the first unconsumed position in *end when end is
// not null. Returns the number mod 2^64; flags when it exceeds 2^64 - 1 and
// otherwise leaves the flag as it was. An empty run gives 0.
Wide read_wide_digits(const char *text, const char **end, unsigned base);

// Reads a run of decimal digits into one 64-bit word (mod 2^64); flags when
// the number exceeds 2^32 - 1, otherwise leaves the flag as it was.
uint64_t read_decimal(const char *text, const char **end);

// The longest digit text: 2^64 - 1 in base 2.
constexpr int WIDE_TEXT_MAX = 64;

// Digits of v in base 2 to 16, lower case, zero-filled in front to at least
// min_digits (0 to WIDE_TEXT_MAX). 0 with min_digits 0 is the empty text.
// The text lives in one static buffer, valid until the next call.
const char *wide_to_text(uint64_t hi, uint64_t lo, unsigned base, unsigned min_digits);

// Writes value as exactly width decimal digits (zero-filled, high digits
// dropped if it has more) at out; returns the position after them.
inline char *put_fixed_digits(char *out, uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}
