// Digit texts of wide numbers: reading runs of digits and writing them back.
#include "wide/wide.h"

#include <climits>

namespace {

constexpr uint8_t NOT_A_DIGIT = 0xff;

// Value of each byte as a digit of base 16 or less; any other byte, those
// from 128 to 255 included, is not a digit.
constexpr struct DigitValues {
    uint8_t of[UCHAR_MAX + 1];
    constexpr DigitValues() : of{} {
        for (auto &v : of) v = NOT_A_DIGIT;
        for (int c = '0'; c <= '9'; ++c) of[c] = static_cast<uint8_t>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c) of[c] = static_cast<uint8_t>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c) of[c] = static_cast<uint8_t>(c - 'A' + 10);
    }
} digit_values;

unsigned digit_value(char c) {
    return digit_values.of[static_cast<unsigned char>(c)];
}

// The terminator sits at the last byte; digits are laid backwards before it.
char digit_text[WIDE_TEXT_MAX + 1];

} // namespace

Wide read_wide_digits(const char *text, const char **end, unsigned base) {
    uint64_t v = 0;
    bool overflow = false;
    for (unsigned d; (d = digit_value(*text)) < base; ++text) {
        overflow |= __builtin_mul_overflow(v, uint64_t{base}, &v);
        overflow |= __builtin_add_overflow(v, uint64_t{d}, &v);
    }
    if (end) *end = text;
    if (overflow) set_out_of_range();
    return wide_split(v);
}

uint64_t read_decimal(const char *text, const char **end) {
    uint64_t v = 0;
    bool overflow = false;
    for (unsigned d; (d = digit_value(*text)) < 10; ++text) {
        overflow |= v > (HALF_MASK - d) / 10;
        v = v * 10 + d; // keeps growing mod 2^64 once past 2^32 - 1
    }
    if (end) *end = text;
    if (overflow) set_out_of_range();
    return v;
}

const char *wide_to_text(uint64_t hi, uint64_t lo, unsigned base, unsigned min_digits) {
    const uint64_t value = wide_join(hi, lo);
    const unsigned digits = digit_count(value, base);
    char *const first = digit_text + WIDE_TEXT_MAX - (digits > min_digits ? digits : min_digits);
    *put_digits(first, value, base, min_digits) = '\0';
    return first;
}
