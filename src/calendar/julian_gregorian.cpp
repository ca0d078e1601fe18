// Julian and Gregorian dates to seconds since the epoch and back, by a fixed
// number of wide operations: no loop over years or cycles.
#include "calendar/julian_gregorian.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"
#include "wide/wide.h"

namespace {

constexpr uint32_t DAYS_PER_YEAR = 365;             // a common year
constexpr uint32_t DAYS_PER_LEAP_YEAR = 366;        // bounds a year from above
constexpr uint32_t DAYS_PER_4Y = 365 * 4 + 1;       // the Julian cycle
constexpr uint32_t DAYS_PER_400Y = 365 * 400 + 97;  // the Gregorian cycle
constexpr uint32_t GREGORIAN_YEAR_1 = 2;            // 0001-01-01 is 2 days after the epoch
constexpr uint32_t LAST_INDEX_BEFORE_YEAR_1 = 399;  // writer's year index of Gregorian year 0
constexpr uint32_t JULIAN_ESTIMATE_PERIOD = 178242; // 1/366 + 1/178242 = 4/1461
constexpr uint32_t GREGORIAN_SHIFT = DAYS_PER_400Y - GREGORIAN_YEAR_1; // to January 1, year -399

static_assert(JULIAN_ESTIMATE_PERIOD == 122 * DAYS_PER_4Y);
static_assert(JULIAN_ESTIMATE_PERIOD == 487 * DAYS_PER_LEAP_YEAR);
static_assert(DAYS_PER_400Y == 100 * DAYS_PER_4Y - 3);

// Days in the first `years` years of a count whose leap years are every
// fourth, the first of them being year index 3: years * 365 + years / 4.
Wide julian_days(Wide years) {
    const Wide common = wide_mul(years.hi, years.lo, DAYS_PER_YEAR);
    const Wide leap = wide_div(years.hi, years.lo, 4);
    return wide_add(common.hi, common.lo, leap.hi, leap.lo);
}

} // namespace

int read_julian_gregorian(const char *text, TimePoint &tp, bool gregorian) {
    DateFields f;
    const int result = read_date_fields(f, text, gregorian ? '-' : '=');
    if (result != READ_OK) return result; // errno now holds the year's flag alone

    // A year whose digits wrapped is judged, and converted, by its wrapped value.
    const uint8_t *const lengths = month_lengths(gregorian, wide_mod(f.year_hi, f.year_lo, 400));
    if (check_day_of_month(f, lengths, text) != READ_OK) return READ_FAILED;

    // y, the whole years between the calendar's year 1 and the date's year.
    // Gregorian year 0 is taken as year 400, one cycle later with the same
    // leap status, and moved back at the end; Julian year 0 lies wholly
    // before the epoch, so its y = -1 wraps and sets the flag.
    const bool gregorian_year_0 = gregorian && f.year_hi == 0 && f.year_lo == 0;
    const Wide y =
        gregorian_year_0 ? Wide{0, LAST_INDEX_BEFORE_YEAR_1} : wide_sub(f.year_hi, f.year_lo, 0, 1);
    // Days stay far below 2^64 / 86400 while the seconds fit, so no step
    // below overflows unless the final count of seconds does.
    Wide days = julian_days(y);
    if (gregorian) {
        const Wide centuries = wide_div(y.hi, y.lo, 100);
        const Wide cycles = wide_div(y.hi, y.lo, 400);
        days = wide_sub(days.hi, days.lo, centuries.hi, centuries.lo); // <= y * 365
        days = wide_add(days.hi, days.lo, cycles.hi, cycles.lo);
    }
    uint32_t in_year = f.day - 1 + (gregorian ? GREGORIAN_YEAR_1 : 0); // <= 367
    for (uint32_t m = 1; m < f.month; ++m) in_year += lengths[m - 1];
    days = wide_add(days.hi, days.lo, 0, in_year);
    // Gregorian year 0 before 12-30 is before the epoch: the borrow flags it.
    if (gregorian_year_0) days = wide_sub(days.hi, days.lo, 0, DAYS_PER_400Y);

    const Wide secs = wide_mul(days.hi, days.lo, SECONDS_PER_DAY);
    const Wide when = wide_add(secs.hi, secs.lo, 0, second_of_day(f));
    tp = {when.hi, when.lo, 0};
    return READ_OK;
}

int read_julian(const char *text, TimePoint &tp) {
    return read_julian_gregorian(text, tp, false);
}

int read_gregorian(const char *text, TimePoint &tp) {
    return read_julian_gregorian(text, tp, true);
}

const char *write_julian_gregorian(const TimePoint &tp, bool gregorian) {
    const Wide days = wide_div(tp.sec_hi, tp.sec_lo, SECONDS_PER_DAY); // < 2^48
    const uint32_t second_of_day = wide_mod(tp.sec_hi, tp.sec_lo, SECONDS_PER_DAY);

    // e, an estimate of the date's year index: never above it and at most one
    // below, so the day offset from January 1 of index e reaches at most into
    // the next year, and the text rolls over at most once.
    Wide year;
    uint32_t day_offset;
    if (gregorian) {
        // Days from January 1 of year -399, so every instant starts a cycle
        // or lies after one's start; year index 0 is year -399.
        const Wide d = wide_add(days.hi, days.lo, 0, GREGORIAN_SHIFT);
        const Wide cycles = wide_div(d.hi, d.lo, DAYS_PER_400Y);
        const uint32_t in_cycle = wide_mod(d.hi, d.lo, DAYS_PER_400Y);
        const Wide cycle_years = wide_mul(cycles.hi, cycles.lo, 400);
        const Wide e = wide_add(cycle_years.hi, cycle_years.lo, 0, in_cycle / DAYS_PER_LEAP_YEAR);
        // d - (days before index e), with the century terms moved to d's side
        // so that nothing goes negative.
        const Wide centuries = wide_div(e.hi, e.lo, 100);
        const Wide cycles_e = wide_div(e.hi, e.lo, 400);
        const Wide d1 = wide_add(d.hi, d.lo, centuries.hi, centuries.lo);
        const Wide s = wide_sub(d1.hi, d1.lo, cycles_e.hi, cycles_e.lo);
        const Wide t = julian_days(e);
        day_offset = static_cast<uint32_t>(s.lo - t.lo); // 0 to 667, exact mod 2^32
        year = wide_sub(e.hi, e.lo, 0, LAST_INDEX_BEFORE_YEAR_1);
    } else {
        // days * 4 / 1461 with both fractional parts dropped; year index 0 is year 1.
        const Wide by_366 = wide_div(days.hi, days.lo, DAYS_PER_LEAP_YEAR);
        const Wide by_period = wide_div(days.hi, days.lo, JULIAN_ESTIMATE_PERIOD);
        const Wide e = wide_add(by_366.hi, by_366.lo, by_period.hi, by_period.lo);
        const Wide t = julian_days(e);
        day_offset = static_cast<uint32_t>(days.lo - t.lo); // 0 to 730, exact mod 2^32
        year = wide_add(e.hi, e.lo, 0, 1);
    }
    return write_calendar_text(gregorian ? '-' : '=', gregorian, wide_mod(year.hi, year.lo, 400),
                               year.hi, year.lo, day_offset, second_of_day);
}

const char *write_julian(const TimePoint &tp) {
    return write_julian_gregorian(tp, false);
}

const char *write_gregorian(const TimePoint &tp) {
    return write_julian_gregorian(tp, true);
}
