// Aeonmark text read back to the instant it names.
#include "aeonmark/aeonmark.h"

namespace aeonmark {

namespace {

// The largest count of an era: the era's last, unless a region that begins
// in it ends it early (era 20, which ends where the new eras begin).
uint64_t largest_count(bool negative, Wide era) {
    const Region &r = negative ? FIRST_REGION : region_of_count(era, UINT64_MAX);
    if (!negative && r.counts != 0) {
        const EraCount end = region_end(r);
        if (end.era == wide_join(era) && end.count != 0) return end.count - 1;
    }
    return r.counts_per_era - 1;
}

// base + counts of region r + m millionths of one, the part below one second
// taken up to the next 2^-32 s. Flags a sum past 2^64 - 1.
TimePoint after_counts(const Region &r, Wide base, Wide counts, uint64_t m, Overflow &flag) {
    const Wide blocks = wide_div(counts, r.block_counts);
    // The millionths since the last block began, in units of 1/den s:
    // < block_counts * 10^6 * num < 2^49.
    const uint64_t units =
        (uint64_t{wide_mod(counts, r.block_counts)} * MILLIONTHS_PER_COUNT + m) * r.millionth_num;
    const Wide whole = wide_add(wide_mul(blocks, r.block_seconds, flag),
                                wide_split(units / r.millionth_den), flag);
    const uint64_t rest = units % r.millionth_den; // < 2^27
    const uint64_t frac = ((rest << 32) + r.millionth_den - 1) / r.millionth_den;
    return time_point(wide_add(base, whole, flag), frac);
}

template <typename Text>
[[gnu::noinline]] ReadResult read_aeonmark_rest(const char *text, Text t, TimePoint &tp) {
    const char *p = text + 1;
    const bool negative = t.at(p) == '-';
    if (negative) ++p;
    if (!is_decimal_digit(t.at(p))) return READ_NOT_MINE;

    // The runs are judged by their digits, not by the flag: a count too
    // large fails the text, which an instant too late does not.
    const char *const era_digits = p;
    const Wide era = wide_split(decimal_run(p, t));
    const char *const era_end = p;
    if (t.at(p) != ']' || !is_decimal_digit(t.at(++p))) return READ_NOT_MINE;
    const char *const count_digits = p;
    const uint64_t count = decimal_run(p, t);

    // Out of range whatever follows the count.
    if (passes_wide(era_digits, era_end) || passes_half(count_digits, p, count) ||
        count > largest_count(negative, era))
        return AEONMARK_INTEGER_OUT_OF_RANGE;

    // The fraction's first six digits are millionths of a count; the place of
    // any further one is 0, which truncates.
    uint64_t m = 0;
    if (t.at(p) == '.')
        for (uint32_t place = MILLIONTHS_PER_COUNT / 10; is_decimal_digit(t.at(++p)); place /= 10)
            m += static_cast<uint64_t>(*p - '0') * place;
    if (!t.ends_at(p)) return READ_NOT_MINE;

    Overflow flag;
    if (negative) {
        // Era -N counts from N eras before the first region. The era's length
        // is taken off last, so that the flag marks exactly the era -0 and the
        // instants before the epoch (every one of era -396 and below).
        const Wide n = wide_sub(era, wide_split(1), flag);
        const Wide base = wide_sub(FIRST_REGION.start, wide_mul(n, OLD_ERA_SECONDS, flag), flag);
        const TimePoint after = after_counts(FIRST_REGION, base, wide_split(count), m, flag);
        tp = time_point(wide_sub(seconds_of(after), wide_split(OLD_ERA_SECONDS), flag), after.frac);
        return read_result(flag);
    }
    // The counts from the region's first to this one; past 2^64 only for
    // eras far beyond the last instant, which the flag then marks.
    const Region &r = region_of_count(era, count);
    const Wide eras = wide_sub(era, wide_split(r.first_era), flag);
    const Wide counts =
        wide_sub(wide_add(wide_mul(eras, r.counts_per_era, flag), wide_split(count), flag),
                 wide_split(r.first_count), flag);
    tp = after_counts(r, r.start, counts, m, flag);
    return read_result(flag);
}

} // namespace

ReadResult read_aeonmark(const char *text, TimePoint &tp) {
    return *text == '[' ? read_aeonmark_rest(text, NulEnded{}, tp) : READ_NOT_MINE;
}

ReadResult read_aeonmark(const char *begin, const char *end, TimePoint &tp) {
    return begin != end && *begin == '[' ? read_aeonmark_rest(begin, Counted{end}, tp)
                                         : READ_NOT_MINE;
}

} // namespace aeonmark
