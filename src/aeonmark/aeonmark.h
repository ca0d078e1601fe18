// The aeonmark notation, [era]count.fraction, laid over the time line in
// regions. Before [21]00000: old eras of 2000 days in 10000 counts of 0.2 day
// (negative eras before [0]0000), with a ten-day and a two-day stretch at the
// end of era 19 and in era 20. From [21]00000 on: new eras of 100 mean years
// in 100000 counts.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

#include <cstdint>
#include <iterator>
#include <numeric>

namespace aeonmark {

constexpr int FRACTION_DIGITS = MAX_DIGITS; // millionths of a count
constexpr uint32_t MILLIONTHS_PER_COUNT = 1000000;
static_assert(MILLIONTHS_PER_COUNT == powers_of_ten.of[FRACTION_DIGITS]);

// One stretch of the time line whose counts all last alike, numbered on from
// [first_era]first_count and wrapping into the next era after counts_per_era.
struct Region {
    Wide start; // its first instant, in seconds since the epoch
    uint64_t first_era;
    uint32_t first_count;
    uint32_t counts;         // how many counts it holds; 0: all the rest of time
    uint32_t counts_per_era; // 10000 (four count digits) or 100000 (five)
    uint32_t block_counts;   // the fewest counts that last whole seconds,
    uint32_t block_seconds;  //   and how many seconds they last
    int count_digits;        // the count's width in text
    uint32_t millionth_num;  // a millionth of a count lasts
    uint32_t millionth_den;  //   millionth_num / millionth_den seconds, in lowest terms
};

constexpr Region region(uint64_t start_seconds, uint64_t first_era, uint32_t first_count,
                        uint32_t counts, uint32_t counts_per_era, uint32_t block_counts,
                        uint32_t block_seconds) {
    const uint64_t millionths = uint64_t{block_counts} * MILLIONTHS_PER_COUNT;
    const uint64_t common = std::gcd(uint64_t{block_seconds}, millionths);
    int digits = 0;
    for (uint32_t n = counts_per_era - 1; n != 0; n /= 10) ++digits;
    return {wide_split(start_seconds),
            first_era,
            first_count,
            counts,
            counts_per_era,
            block_counts,
            block_seconds,
            digits,
            static_cast<uint32_t>(block_seconds / common),
            static_cast<uint32_t>(millionths / common)};
}

// The regions in time order; each ends where the next begins. The first is
// also continued back in time, as the negative eras.
inline constexpr Region REGIONS[] = {
    // [0]0000 (Gregorian 2162-01-04T00:00:00) to [19]7339: 0.2-day counts
    region(68195001600, 0, 0, 197340, 10000, 1, 17280),
    // [19]7340 (2270-01-26T00:00:00) to [19]7839: ten-day counts
    region(71605036800, 19, 7340, 500, 10000, 1, 864000),
    // [19]7840 (2283-10-05T00:00:00) to [20]5005: two-day counts; era 20 is
    // cut short, so that it ends where the new eras begin
    region(72037036800, 19, 7840, 7166, 10000, 1, 172800),
    // [21]00000 (2323-01-01T00:00:00) on: eras of 100 mean years in counts of
    // 31556.952 s, 125 of which last 3944619 s
    region(73275321600, 21, 0, 0, 100000, 125, 3944619),
};
inline constexpr const Region &FIRST_REGION = REGIONS[0];
inline constexpr const Region &LAST_REGION = REGIONS[std::size(REGIONS) - 1];

// The count after a bounded region's last, as its era and count.
struct EraCount {
    uint64_t era;
    uint64_t count;
};
constexpr EraCount region_end(const Region &r) {
    const uint64_t position = uint64_t{r.first_count} + r.counts;
    return {r.first_era + position / r.counts_per_era, position % r.counts_per_era};
}

// Each region ends, in time and in text, where the next begins (or cuts its
// last era short right before the next era); only the last is unbounded. A
// region that begins within an era counts that era's counts as the one
// before it does.
constexpr bool regions_join_up() {
    for (size_t i = 0; i + 1 < std::size(REGIONS); ++i) {
        const Region &r = REGIONS[i], &next = REGIONS[i + 1];
        const EraCount end = region_end(r);
        const bool cut_short =
            end.era + 1 == next.first_era && end.count != 0 && next.first_count == 0;
        if (r.counts == 0 || r.counts % r.block_counts != 0 || r.first_count >= r.counts_per_era ||
            (next.first_count != 0 && next.counts_per_era != r.counts_per_era) ||
            wide_join(r.start) + uint64_t{r.counts} / r.block_counts * r.block_seconds !=
                wide_join(next.start) ||
            !((end.era == next.first_era && end.count == next.first_count) || cut_short))
            return false;
    }
    return LAST_REGION.counts == 0 && FIRST_REGION.first_era == 0 && FIRST_REGION.first_count == 0;
}
static_assert(regions_join_up());
static_assert(region_end(REGIONS[2]).era == 20 && region_end(REGIONS[2]).count == 5006);
// The negative eras continue the first region's eras of 2000 days back in time.
constexpr uint32_t OLD_ERA_SECONDS =
    FIRST_REGION.counts_per_era / FIRST_REGION.block_counts * FIRST_REGION.block_seconds;
static_assert(OLD_ERA_SECONDS == 2000 * 86400);

// The region that holds an instant, or a count of an era: the last one that
// begins at or before it. Reader and writer look it up this one way.
template <typename BeginsAfter>
constexpr const Region &region_of(BeginsAfter begins_after) {
    const Region *r = &LAST_REGION;
    while (r != &FIRST_REGION && begins_after(*r)) --r;
    return *r;
}
constexpr const Region &region_of_instant(Wide seconds) {
    return region_of([=](const Region &r) { return wide_join(r.start) > wide_join(seconds); });
}
constexpr const Region &region_of_count(Wide era, uint64_t count) {
    return region_of([=](const Region &r) {
        return r.first_era > wide_join(era) ||
               (r.first_era == wide_join(era) && r.first_count > count);
    });
}

// Reader of row s. Takes "[" an optional "-", the era, "]" the count and an
// optional "." with fraction digits, and nothing else; any other text is not
// mine. An era above 2^64 - 1 or a count above its era's largest is
// AEONMARK_INTEGER_OUT_OF_RANGE. Otherwise fills tp with the exact
// instant the text names (six fraction digits, further ones ignored), the
// part below one second taken up to the next 2^-32 s, so text written at
// precision 6 reads back no later than the instant written and writes again
// the same. AEONMARK_OUT_OF_RANGE for instants before the epoch or past
// 2^64 - 1 s, and for the era -0.
ReadResult read_aeonmark(const char *text, TimePoint &tp);
ReadResult read_aeonmark(const char *begin, const char *end, TimePoint &tp);

// Writer of row s: the text of tp with digits (0 to 6) fraction digits,
// always truncated. Exact for every TimePoint.
char *write_aeonmark(const TimePoint &tp, int digits, char *out);

} // namespace aeonmark
