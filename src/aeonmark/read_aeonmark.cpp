// Aeonmark text read back to the instant it names.
#include "aeonmark/aeonmark.h"

#include "program.h"
#include "wide/wide.h"

#include <cerrno>

namespace {

// 0.2-day counts in one count of each stretch, and two-day counts in a ten-day one.
constexpr uint32_t TEN_DAY_IN_OLD = TEN_DAY_SECONDS / OLD_COUNT_SECONDS; // 50
constexpr uint32_t TWO_DAY_IN_OLD = TWO_DAY_SECONDS / OLD_COUNT_SECONDS; // 10
constexpr uint32_t TWO_DAY_IN_TEN_DAY = TEN_DAY_IN_OLD / TWO_DAY_IN_OLD; // 5
// [19]7840 is 0.2-day count 32340 of era 19.
constexpr uint32_t TWO_DAY_AT = (TWO_DAY_START - STRETCH_ERA * OLD_ERA_SECONDS) / OLD_COUNT_SECONDS;
static_assert(TEN_DAY_SECONDS == TEN_DAY_IN_OLD * OLD_COUNT_SECONDS);
static_assert(TWO_DAY_SECONDS == TWO_DAY_IN_OLD * OLD_COUNT_SECONDS);
static_assert(TWO_DAY_AT == TEN_DAY_FIRST + (TWO_DAY_FIRST - TEN_DAY_FIRST) * TEN_DAY_IN_OLD);

// The largest count that the era takes.
uint64_t largest_count(bool negative, Wide era) {
    if (negative || (era.hi == 0 && era.lo <= STRETCH_ERA)) return OLD_COUNTS_PER_ERA - 1;
    if (era.hi == 0 && era.lo == SHORT_ERA) return SHORT_ERA_COUNTS - 1;
    return NEW_COUNTS_PER_ERA - 1;
}

// base + count 0.2-day counts + m millionths of one, for count < 104000 and
// m < 10^6; the part below one second is taken up to the next 2^-32 s.
// Flags a sum above 2^64 - 1.
TimePoint old_count_instant(Wide base, uint64_t count, uint64_t m) {
    // W = ceil(m * 0.01728 s * 2^32) in units of 2^-32 s; its high half is whole seconds.
    const Wide scaled = wide_add(m * OLD_MILLIONTH_NUM, 0, 0, OLD_MILLIONTH_DEN - 1); // < 2^58
    const Wide w = wide_div(scaled.hi, scaled.lo, OLD_MILLIONTH_DEN);
    const Wide s1 = wide_add(base.hi, base.lo, 0, count * OLD_COUNT_SECONDS); // < 2^31
    const Wide s = wide_add(s1.hi, s1.lo, 0, w.hi);
    return {s.hi, s.lo, w.lo};
}

// Eras 0 to 18, and era 19 before [19]7340. Exact; never flags.
TimePoint early_instant(uint64_t era, uint64_t count, uint64_t m) {
    const Wide offset = wide_mul(0, era, OLD_ERA_SECONDS);
    return old_count_instant(wide_add(ERA_ZERO_W.hi, ERA_ZERO_W.lo, offset.hi, offset.lo), count,
                             m);
}

// Era 19 from [19]7340 on, and era 20, taken as a 0.2-day count of era 19
// and millionths of it, where both are exact. Never flags.
TimePoint stretch_instant(uint64_t era, uint64_t count, uint64_t m) {
    const uint64_t c =
        era == STRETCH_ERA ? count : count + OLD_COUNTS_PER_ERA; // [20]0000 is [19]10000
    // As if every count from [19]7340 on were ten days long: g whole 0.2-day
    // counts of era 19 and n millionths of the next (50 * c - 49 * 7340).
    const uint64_t g = c * TEN_DAY_IN_OLD + m / (MILLIONTHS / TEN_DAY_IN_OLD) -
                       uint64_t{TEN_DAY_FIRST} * (TEN_DAY_IN_OLD - 1); // < 2^19
    const uint64_t n = m * TEN_DAY_IN_OLD % MILLIONTHS;                // a multiple of 50
    if (g < TWO_DAY_AT) return early_instant(STRETCH_ERA, g, n);
    // A two-day count is a fifth of what g and n counted.
    const uint64_t k = g - TWO_DAY_AT;
    return early_instant(STRETCH_ERA, TWO_DAY_AT + k / TWO_DAY_IN_TEN_DAY,
                         k % TWO_DAY_IN_TEN_DAY * (MILLIONTHS / TWO_DAY_IN_TEN_DAY) +
                             n / TWO_DAY_IN_TEN_DAY);
}

// Era -magnitude, counted from [0]0000 - magnitude * 2000 days. The era's end
// is subtracted last, so that the flag marks exactly the era -0 and the
// instants before the epoch (every one of era -396 and below).
TimePoint negative_instant(Wide magnitude, uint64_t count, uint64_t m) {
    const Wide n = wide_sub(magnitude.hi, magnitude.lo, 0, 1);
    const Wide offset = wide_mul(n.hi, n.lo, OLD_ERA_SECONDS);
    const Wide base = wide_sub(ERA_ZERO_W.hi, ERA_ZERO_W.lo, offset.hi, offset.lo);
    TimePoint tp = old_count_instant(base, count, m);
    const Wide s = wide_sub(tp.sec_hi, tp.sec_lo, 0, OLD_ERA_SECONDS);
    tp.sec_hi = s.hi;
    tp.sec_lo = s.lo;
    return tp;
}

// Eras 21 and above, of 100000 counts of 31556.952 s. Flags instants past
// 2^64 - 1 s.
TimePoint new_instant(Wide era, uint64_t count, uint64_t m) {
    const Wide e = wide_sub(era.hi, era.lo, 0, FIRST_NEW_ERA);
    const Wide offset = wide_mul(e.hi, e.lo, NEW_ERA_SECONDS);
    const Wide base = wide_add(NEW_ERAS_W.hi, NEW_ERAS_W.lo, offset.hi, offset.lo);
    // P, the time since the era began in 8 ns ticks: < 10^11 * 3944619 < 2^59.
    const Wide mc = wide_mul(0, count, MILLIONTHS);
    const Wide millionths = wide_add(mc.hi, mc.lo, 0, m); // < 10^11
    const Wide p = wide_mul(millionths.hi, millionths.lo, NEW_TICKS_PER_MILLIONTH);
    const Wide whole = wide_div(p.hi, p.lo, NEW_TICKS_PER_SECOND); // < 2^32
    const Wide s = wide_add(base.hi, base.lo, whole.hi, whole.lo);
    // The ticks left, taken up to the next 2^-32 s: at most 2^32 - 34.
    const uint64_t rest = wide_mod(p.hi, p.lo, NEW_TICKS_PER_SECOND);
    const Wide up = wide_add(rest, 0, 0, NEW_TICKS_PER_SECOND - 1); // < 2^59
    return {s.hi, s.lo, wide_div(up.hi, up.lo, NEW_TICKS_PER_SECOND).lo};
}

} // namespace

int read_aeonmark(const char *text, TimePoint &tp) {
    const char *p = text;
    if (*p != '[') return READ_NOT_MINE;
    ++p;
    const bool negative = *p == '-';
    if (negative) ++p;
    if (!is_decimal_digit(*p)) return READ_NOT_MINE;

    errno = 0;
    const Wide era = read_wide_digits(p, &p, 10); // flags an era above 2^64 - 1
    if (*p != ']') return READ_NOT_MINE;
    ++p;
    if (!is_decimal_digit(*p)) return READ_NOT_MINE;
    const uint64_t count = read_decimal(p, &p); // flags a count above 2^32 - 1

    // Out of range whatever follows the count.
    if (errno == ERANGE || count > largest_count(negative, era)) {
        report("integer part is out of range", text);
        return READ_FAILED;
    }

    uint64_t m = 0;
    if (*p == '.') {
        ++p;
        char digits[FRACTION_DIGITS + 1] = {'0', '0', '0', '0', '0', '0', '\0'};
        for (int i = 0; i < FRACTION_DIGITS && is_decimal_digit(*p); ++i) digits[i] = *p++;
        while (is_decimal_digit(*p)) ++p; // truncates
        if (*p != '\0') return READ_NOT_MINE;
        m = read_decimal(digits, nullptr);
    } else if (*p != '\0') {
        return READ_NOT_MINE;
    }

    if (negative)
        tp = negative_instant(era, count, m);
    else if (era.hi != 0 || era.lo > SHORT_ERA)
        tp = new_instant(era, count, m);
    else if (era.lo < STRETCH_ERA || (era.lo == STRETCH_ERA && count < TEN_DAY_FIRST))
        tp = early_instant(era.lo, count, m);
    else
        tp = stretch_instant(era.lo, count, m);
    return READ_OK;
}
