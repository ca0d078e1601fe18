// The mean-year calendar both ways: 400 mean years are 400 Gregorian years,
// so year 323 and every 400th year from it begin at Gregorian midnight.
#include "calendar/mean_year.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"

namespace aeonmark {

namespace {

// A nominal second lasts 146097/146000 s: the days of 400 mean years over
// those of 400 common years.
constexpr uint32_t STRETCHED = DAYS_PER_400Y;
constexpr uint32_t NOMINAL = YEARS_PER_CYCLE * DAYS_PER_YEAR;
static_assert(uint64_t{MEAN_YEAR_SECONDS} * NOMINAL == uint64_t{NOMINAL_YEAR_SECONDS} * STRETCHED);

// Dates before year 323 are counted one 400-year cycle later, so that no step
// goes below 0 before the last: the reader goes up the cycle in years and back
// down in seconds, the writer up in seconds and back down in years.
struct CycleShift {
    uint64_t years;
    Wide seconds;
};
constexpr CycleShift NO_SHIFT{0, {0, 0}};
constexpr CycleShift ONE_CYCLE{YEARS_PER_CYCLE, MEAN_CYCLE_SECONDS};

template <typename Text>
[[gnu::noinline]] ReadResult read_mean_year_rest(const char *text, Text t, TimePoint &tp) {
    DateFields f;
    Overflow flag;
    const ReadResult result = read_date_fields(f, text, MEAN_YEAR.separator, flag, t);
    if (result != READ_OK) return result;
    const MonthTable months = months_of_year(false); // no leap years
    if (!day_in_month(f, months.lengths)) return AEONMARK_DAY_OUT_OF_RANGE;
    // The nominal second of the year, and the exact instant it stands for:
    // Q whole seconds and R / 31536000 of one after the start of the year.
    const uint64_t s = (months.days_before[f.month - 1] + f.day - 1) * uint64_t{SECONDS_PER_DAY} +
                       second_of_day(f);      // < 31536000
    const uint64_t p = s * MEAN_YEAR_SECONDS; // < 2^50
    const uint64_t q = p / NOMINAL_YEAR_SECONDS, r = p % NOMINAL_YEAR_SECONDS;

    // Every step adds but the one that cannot go below 0 and the last, which
    // flags dates before the epoch.
    const Wide year = year_of(f);
    const CycleShift &shift = wide_join(year) < MEAN_ANCHOR_YEAR ? ONE_CYCLE : NO_SHIFT;
    const Wide years =
        wide_sub(wide_add(year, wide_split(shift.years), flag), wide_split(MEAN_ANCHOR_YEAR), flag);
    const Wide start = wide_add(wide_mul(years, MEAN_YEAR_SECONDS, flag), MEAN_ANCHOR, flag);
    const Wide secs = wide_sub(wide_add(start, wide_split(q), flag), shift.seconds, flag);
    // The part of a second taken up to the next 2^-32 s; below 2^32.
    const uint64_t frac = ((r << 32) + NOMINAL_YEAR_SECONDS - 1) / NOMINAL_YEAR_SECONDS;
    tp = time_point(secs, frac);
    return read_result(flag);
}

} // namespace

ReadResult read_mean_year(const char *text, TimePoint &tp) {
    const NulEnded t;
    return may_be_date(text, MEAN_YEAR.separator, t) ? read_mean_year_rest(text, t, tp)
                                                     : READ_NOT_MINE;
}

ReadResult read_mean_year(const char *begin, const char *end, TimePoint &tp) {
    const Counted t{end};
    return may_be_date(begin, MEAN_YEAR.separator, t) ? read_mean_year_rest(begin, t, tp)
                                                      : READ_NOT_MINE;
}

char *write_mean_year(const TimePoint &tp, int /*digits*/, char *out) {
    const Wide t = seconds_of(tp);
    const CycleShift &shift = wide_join(t) < wide_join(MEAN_ANCHOR) ? ONE_CYCLE : NO_SHIFT;
    const Wide d = wide_sub(wide_add(t, shift.seconds), MEAN_ANCHOR);
    const Wide years = wide_div(d, MEAN_YEAR_SECONDS);
    const Wide year =
        wide_sub(wide_add(years, wide_split(MEAN_ANCHOR_YEAR)), wide_split(shift.years));
    // Seconds into the mean year, shrunk to nominal seconds and truncated.
    const uint64_t rem = wide_mod(d, MEAN_YEAR_SECONDS);
    const uint64_t frac_part = (tp.frac * NOMINAL) >> 32;
    const uint32_t s = static_cast<uint32_t>((rem * NOMINAL + frac_part) / STRETCHED); // < 31536000
    return write_calendar_text(MEAN_YEAR, year, s / SECONDS_PER_DAY, s % SECONDS_PER_DAY, out);
}

} // namespace aeonmark
