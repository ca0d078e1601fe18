// Aeonmark text of an instant.
#include "aeonmark/aeonmark.h"

namespace aeonmark {

namespace {

// [5845540490]31852.924705 is the longest text a TimePoint reaches; the
// longest old-era text is [-395]3530.000000.
constexpr int ERA_TEXT_MAX = 24;
static_assert(ERA_TEXT_MAX <= WRITER_TEXT_MAX);

struct Counts {
    Wide whole;          // counts since the region's first
    uint64_t millionths; // of the next
};

// The counts of region r in the time d + f / 2^32 since its start (or since
// a start of one of its eras), the part of a millionth below it dropped.
[[gnu::always_inline]] inline Counts counts_in(const Region &r, Wide d, uint64_t f) {
    const Wide blocks = wide_div(d, r.block_seconds);
    const uint64_t rest = wide_mod(d, r.block_seconds); // < 2^22
    // The millionths since the last block began: rest * den and f * den stay
    // below 2^59, and the sum is below block_counts * 10^6 * num.
    const uint64_t q = (rest * r.millionth_den + ((f * r.millionth_den) >> 32)) / r.millionth_num;
    return {wide_add(wide_mul(blocks, r.block_counts), wide_split(q / MILLIONTHS_PER_COUNT)),
            q % MILLIONTHS_PER_COUNT};
}

[[gnu::always_inline]] inline char *write_text(char *out, bool negative, Wide era, uint64_t count,
                                               int count_digits, uint64_t millionths, int digits) {
    char *p = out;
    *p++ = '[';
    if (negative) *p++ = '-';
    p = put_digits(p, wide_join(era), 10, 1);
    *p++ = ']';
    p = put_digits(p, count, 10, static_cast<unsigned>(count_digits));
    if (digits > 0) {
        *p++ = '.';
        p = put_digits(p, millionths / powers_of_ten.of[FRACTION_DIGITS - digits], 10,
                       static_cast<unsigned>(digits));
    }
    return p;
}

} // namespace

// Exact for every TimePoint: no step overflows.
char *write_aeonmark(const TimePoint &tp, int digits, char *out) {
    const Wide s = seconds_of(tp);
    if (wide_join(s) < wide_join(FIRST_REGION.start)) {
        // Floor division of s - start by an era, without negative numbers.
        const Wide back = wide_sub(wide_sub(FIRST_REGION.start, s), wide_split(1));
        const Wide magnitude = wide_add(wide_div(back, OLD_ERA_SECONDS), wide_split(1)); // < 396
        const uint32_t into_era = OLD_ERA_SECONDS - 1 - wide_mod(back, OLD_ERA_SECONDS);
        const Counts c = counts_in(FIRST_REGION, wide_split(into_era), tp.frac);
        return write_text(out, true, magnitude, wide_join(c.whole), FIRST_REGION.count_digits,
                          c.millionths, digits);
    }
    const Region &r = region_of_instant(s);
    const Counts c = counts_in(r, wide_sub(s, r.start), tp.frac);
    const Wide position = wide_add(c.whole, wide_split(r.first_count));
    const Wide era = wide_add(wide_div(position, r.counts_per_era), wide_split(r.first_era));
    return write_text(out, false, era, wide_mod(position, r.counts_per_era), r.count_digits,
                      c.millionths, digits);
}

} // namespace aeonmark
