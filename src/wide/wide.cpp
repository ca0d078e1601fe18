// The digit text buffer of wide numbers.
#include "wide/wide.h"

namespace {

// The terminator sits at the last byte; digits are laid backwards before it.
char digit_text[WIDE_TEXT_MAX + 1];

} // namespace

const char *wide_to_text(uint64_t hi, uint64_t lo, unsigned base, unsigned min_digits) {
    const uint64_t value = wide_join(hi, lo);
    const unsigned digits = digit_count(value, base);
    char *const first = digit_text + WIDE_TEXT_MAX - (digits > min_digits ? digits : min_digits);
    *put_digits(first, value, base, min_digits) = '\0';
    return first;
}
