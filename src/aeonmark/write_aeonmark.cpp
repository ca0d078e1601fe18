// Aeonmark text of an instant.
#include "aeonmark/aeonmark.h"

#include "program.h"
#include "wide/wide.h"

#include <cstring>

namespace {

// [-395]3530.000000 is the longest old-era text a TimePoint reaches, and
// [5845540490]31852.924705 the longest new-era text.
constexpr int OLD_TEXT_MAX = 17;
constexpr int NEW_TEXT_MAX = 24;
char old_text[OLD_TEXT_MAX + 1];
char new_text[NEW_TEXT_MAX + 1];

// Ends the text with a point and the first `precision` of the six millionth
// digits (none at all at precision 0); returns the text's start.
char *end_with_fraction(char *text, char *p, uint64_t millionths) {
    if (precision > 0) {
        char digits[FRACTION_DIGITS];
        put_fixed_digits(digits, millionths, FRACTION_DIGITS);
        const int kept = precision < FRACTION_DIGITS ? precision : FRACTION_DIGITS;
        *p++ = '.';
        memcpy(p, digits, static_cast<size_t>(kept));
        p += kept;
    }
    *p = '\0';
    return text;
}

// Writes the decimal digits of v, no zero fill, at out; returns the
// position after them.
char *put_decimal(char *out, Wide v) {
    for (const char *d = wide_to_text(v.hi, v.lo, 10, 1); *d != '\0'; ++d) *out++ = *d;
    return out;
}

// Every old-era count, of 0.2, 10 or 2 days, lasts COUNT_UNITS units of
// 1/50 s, 1 s or 1/5 s.
constexpr uint32_t COUNT_UNITS = 864000;
constexpr uint32_t UNITS_NUM = 125; // COUNT_UNITS / MILLIONTHS = 108 / 125
constexpr uint32_t UNITS_DEN = 108;
static_assert(uint64_t{COUNT_UNITS} * UNITS_NUM == uint64_t{MILLIONTHS} * UNITS_DEN);
static_assert(COUNT_UNITS % OLD_COUNT_SECONDS == 0 && COUNT_UNITS % TWO_DAY_SECONDS == 0 &&
              COUNT_UNITS % TEN_DAY_SECONDS == 0);

// Millionths of a count of count_seconds from the time t + f / 2^32 since
// the count began. X, that time in units of which the count holds
// COUNT_UNITS, is below COUNT_UNITS * 2^32, so X * 125 < 2^59, and its high
// half is floor(X * 125 / 2^32).
uint64_t old_millionths(uint64_t t, uint64_t f, uint32_t count_seconds) {
    const Wide x = wide_mul(t, f, COUNT_UNITS / count_seconds);
    return wide_mul(x.hi, x.lo, UNITS_NUM).hi / UNITS_DEN;
}

// Old eras: "[" sign magnitude "]" four-digit count, then the fraction.
char *write_old_era(bool negative, uint64_t magnitude, uint64_t count, uint64_t millionths) {
    char *p = old_text;
    *p++ = '[';
    if (negative) *p++ = '-';
    p = put_decimal(p, wide_split(magnitude)); // at most 3 digits
    *p++ = ']';
    p = put_fixed_digits(p, count, OLD_COUNT_DIGITS);
    return end_with_fraction(old_text, p, millionths);
}

// The time since [19]7340 at which the early counts of era 19 end.
constexpr uint64_t EARLY_IN_ERA_19 = TEN_DAY_START - STRETCH_ERA * OLD_ERA_SECONDS;
// Two-day counts of era 19, before [20]0000.
constexpr uint64_t TWO_DAY_COUNTS_IN_ERA_19 = TWO_DAY_IN_ERA_19 / TWO_DAY_SECONDS;

} // namespace

// Old eras cut S into 2000-day eras from [0]0000, the last of them longer by
// its stretches; new eras into 100 mean years from [21]00000. Exact for every
// TimePoint: no step overflows, and the flag is never touched.
const char *write_aeonmark(const TimePoint &tp) {
    const uint64_t s_hi = tp.sec_hi, s_lo = tp.sec_lo, f = tp.frac;
    const uint64_t s = wide_join(s_hi, s_lo);

    if (s < ERA_ZERO) {
        // Floor division of S - ERA_ZERO by an era, without negative numbers.
        const Wide e1 = wide_sub(ERA_ZERO_W.hi, ERA_ZERO_W.lo, s_hi, s_lo);
        const Wide e = wide_sub(e1.hi, e1.lo, 0, 1);
        const Wide era = wide_div(e.hi, e.lo, OLD_ERA_SECONDS); // < 395
        const uint64_t i = OLD_ERA_SECONDS - 1 - wide_mod(e.hi, e.lo, OLD_ERA_SECONDS);
        return write_old_era(true, wide_join(era) + 1, i / OLD_COUNT_SECONDS,
                             old_millionths(i % OLD_COUNT_SECONDS, f, OLD_COUNT_SECONDS));
    }

    if (s < NEW_ERAS) {
        const Wide d = wide_sub(s_hi, s_lo, ERA_ZERO_W.hi, ERA_ZERO_W.lo); // < 2^33
        const uint64_t dv = wide_join(d);
        const uint64_t q = wide_div(d.hi, d.lo, OLD_ERA_SECONDS).lo; // < 30
        const uint64_t r = wide_mod(d.hi, d.lo, OLD_ERA_SECONDS);
        if (q < STRETCH_ERA || (q == STRETCH_ERA && r < EARLY_IN_ERA_19))
            return write_old_era(false, q, r / OLD_COUNT_SECONDS,
                                 old_millionths(r % OLD_COUNT_SECONDS, f, OLD_COUNT_SECONDS));
        if (dv - TEN_DAY_START < TEN_DAY_STRETCH) {
            const uint64_t d1 = dv - TEN_DAY_START;
            return write_old_era(false, STRETCH_ERA, TEN_DAY_FIRST + d1 / TEN_DAY_SECONDS,
                                 old_millionths(d1 % TEN_DAY_SECONDS, f, TEN_DAY_SECONDS));
        }
        const uint64_t d2 = dv - TWO_DAY_START;
        const uint64_t k = d2 / TWO_DAY_SECONDS;
        const uint64_t millionths = old_millionths(d2 % TWO_DAY_SECONDS, f, TWO_DAY_SECONDS);
        if (k < TWO_DAY_COUNTS_IN_ERA_19)
            return write_old_era(false, STRETCH_ERA, TWO_DAY_FIRST + k, millionths);
        return write_old_era(false, SHORT_ERA, k - TWO_DAY_COUNTS_IN_ERA_19, millionths);
    }

    // New eras. N, the time since the era began in 8 ns ticks, is below
    // 3155695200 * 125000000 + 125000000 < 2^59.
    const Wide d = wide_sub(s_hi, s_lo, NEW_ERAS_W.hi, NEW_ERAS_W.lo);
    const Wide era0 = wide_div(d.hi, d.lo, NEW_ERA_SECONDS);
    const Wide era = wide_add(era0.hi, era0.lo, 0, FIRST_NEW_ERA); // up to 5845540490
    const uint32_t r = wide_mod(d.hi, d.lo, NEW_ERA_SECONDS);
    const Wide ticks = wide_mul(0, r, NEW_TICKS_PER_SECOND);
    const Wide frac_ticks = wide_mul(0, f, NEW_TICKS_PER_SECOND);
    const Wide n = wide_add(ticks.hi, ticks.lo, 0, frac_ticks.hi);
    const uint64_t q = wide_join(wide_div(n.hi, n.lo, NEW_TICKS_PER_MILLIONTH)); // < 10^11

    char *p = new_text;
    *p++ = '[';
    p = put_decimal(p, era); // at most 10 digits
    *p++ = ']';
    p = put_fixed_digits(p, q / MILLIONTHS, NEW_COUNT_DIGITS);
    return end_with_fraction(new_text, p, q % MILLIONTHS);
}
