// The mean-year calendar both ways: 400 mean years are 400 Gregorian years,
// so year 323 and every 400th year from it begin at Gregorian midnight.
#include "calendar/mean_year.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"
#include "month_days.h"
#include "wide/wide.h"

namespace {

constexpr uint32_t STRETCHED = 146097; // a nominal second lasts 146097/146000 s
constexpr uint32_t NOMINAL = 146000;
constexpr uint64_t YEARS_BELOW_ANCHOR = 400 - MEAN_ANCHOR_YEAR; // 77: years 0 to 322 go up a cycle

constexpr Wide ANCHOR = wide_split(MEAN_ANCHOR);
constexpr Wide CYCLE = wide_split(MEAN_CYCLE_SECONDS);

// Days of the common year before each month.
constexpr struct DaysBefore {
    uint32_t of[12];
    constexpr DaysBefore() : of{} {
        for (int m = 1; m < 12; ++m) of[m] = of[m - 1] + month_days[COMMON_ROW][m - 1];
    }
} days_before;

} // namespace

int read_mean_year(const char *text, TimePoint &tp) {
    DateFields f;
    const int result = read_date_fields(f, text, '*');
    if (result != READ_OK) return result;
    // February has 28 days in every mean year.
    if (check_day_of_month(f, month_days[COMMON_ROW], text) != READ_OK) return READ_FAILED;
    // The nominal second of the year, and the exact instant it stands for:
    // Q whole seconds and R / 31536000 of one after the start of the year.
    const uint64_t s = (days_before.of[f.month - 1] + f.day - 1) * uint64_t{SECONDS_PER_DAY} +
                       second_of_day(f);      // < 31536000
    const uint64_t p = s * MEAN_YEAR_SECONDS; // < 2^50
    const uint64_t q = p / NOMINAL_YEAR_SECONDS, r = p % NOMINAL_YEAR_SECONDS;

    Wide secs;
    if (f.year_hi != 0 || f.year_lo >= MEAN_ANCHOR_YEAR) {
        const Wide years = wide_sub(f.year_hi, f.year_lo, 0, MEAN_ANCHOR_YEAR);
        const Wide span = wide_mul(years.hi, years.lo, MEAN_YEAR_SECONDS);
        const Wide start = wide_add(span.hi, span.lo, ANCHOR.hi, ANCHOR.lo);
        secs = wide_add(start.hi, start.lo, 0, q);
    } else {
        // Up one 400-year cycle and back down, so that no step goes below 0
        // before the last, which flags dates before the epoch.
        const Wide span = wide_mul(0, f.year_lo + YEARS_BELOW_ANCHOR, MEAN_YEAR_SECONDS);
        const Wide start = wide_add(span.hi, span.lo, ANCHOR.hi, ANCHOR.lo);
        const Wide up = wide_add(start.hi, start.lo, 0, q);
        secs = wide_sub(up.hi, up.lo, CYCLE.hi, CYCLE.lo);
    }
    // The part of a second taken up to the next 2^-32 s; below 2^32.
    const uint64_t frac = ((r << 32) + NOMINAL_YEAR_SECONDS - 1) / NOMINAL_YEAR_SECONDS;
    tp = {secs.hi, secs.lo, frac};
    return READ_OK;
}

const char *write_mean_year(const TimePoint &tp) {
    Wide d, year;
    if (wide_join(tp.sec_hi, tp.sec_lo) < MEAN_ANCHOR) {
        const Wide up = wide_add(tp.sec_hi, tp.sec_lo, CYCLE.hi, CYCLE.lo);
        d = wide_sub(up.hi, up.lo, ANCHOR.hi, ANCHOR.lo);
        const Wide n = wide_div(d.hi, d.lo, MEAN_YEAR_SECONDS); // at least 77
        year = wide_sub(n.hi, n.lo, 0, YEARS_BELOW_ANCHOR);
    } else {
        d = wide_sub(tp.sec_hi, tp.sec_lo, ANCHOR.hi, ANCHOR.lo);
        const Wide n = wide_div(d.hi, d.lo, MEAN_YEAR_SECONDS);
        year = wide_add(n.hi, n.lo, 0, MEAN_ANCHOR_YEAR);
    }
    // Seconds into the mean year, shrunk to nominal seconds and truncated.
    const uint64_t rem = wide_mod(d.hi, d.lo, MEAN_YEAR_SECONDS);
    const uint64_t frac_part = (tp.frac * NOMINAL) >> 32;
    const uint64_t s = (rem * NOMINAL + frac_part) / STRETCHED; // < 31536000
    // Julian rule with a year value not divisible by 4: the common-year row.
    return write_calendar_text('*', false, 1, year.hi, year.lo,
                               static_cast<uint32_t>(s / SECONDS_PER_DAY), s % SECONDS_PER_DAY);
}
