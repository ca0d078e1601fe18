// Julian and Gregorian dates to seconds since the epoch and back, by a fixed
// number of wide operations: no loop over years or cycles.
#include "calendar/julian_gregorian.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"
#include "wide/wide.h"

namespace {

constexpr uint32_t GREGORIAN_YEAR_1_DAY = 2;        // Gregorian 0001-01-01 is day 2 of the epoch
constexpr uint32_t JULIAN_ESTIMATE_PERIOD = 178242; // 1/366 + 1/178242 = 4/1461
static_assert(JULIAN_ESTIMATE_PERIOD == 122 * DAYS_PER_4Y);
static_assert(JULIAN_ESTIMATE_PERIOD == 487 * DAYS_PER_LEAP_YEAR);
// The count of days before a year, at a whole cycle, is the cycle's length.
static_assert(YEARS_PER_CYCLE * DAYS_PER_YEAR + YEARS_PER_CYCLE / 4 - YEARS_PER_CYCLE / 100 +
                  YEARS_PER_CYCLE / 400 ==
              DAYS_PER_400Y);
static_assert(YEARS_PER_CYCLE * DAYS_PER_YEAR + YEARS_PER_CYCLE / 4 ==
              YEARS_PER_CYCLE / 4 * DAYS_PER_4Y);

// The day arithmetic below is the Julian or the Gregorian one: only those
// two calendars come here.
bool is_gregorian(const Calendar &calendar) {
    return calendar.leap == LeapRule::EVERY_FOURTH_BUT_100;
}

// Days in the calendar's 400 years, after which its leap years repeat.
uint32_t cycle_days(const Calendar &calendar) {
    return is_gregorian(calendar) ? DAYS_PER_400Y : YEARS_PER_CYCLE / 4 * DAYS_PER_4Y;
}

// The epoch's day number of January 1 of year 1: the epoch itself in the
// Julian calendar.
uint32_t year_1_day(const Calendar &calendar) {
    return is_gregorian(calendar) ? GREGORIAN_YEAR_1_DAY : 0;
}

// Days in the first `years` years from January 1 of year 1, whose leap years
// are the indices 3, 7, 11 ...: years * 365 + years / 4, and in the Gregorian
// calendar - years / 100 + years / 400. Flags only a count past 2^64 - 1.
inline Wide days_before_year(const Calendar &calendar, Wide years) {
    Wide days = wide_add(wide_mul(years, DAYS_PER_YEAR), wide_div(years, 4));
    if (is_gregorian(calendar))
        days = wide_add(wide_sub(days, wide_div(years, 100)), wide_div(years, 400));
    return days;
}

[[gnu::always_inline]] inline int read_date(const char *text, TimePoint &tp,
                                            const Calendar &calendar) {
    DateFields f;
    const int result = read_date_fields(f, text, calendar.separator);
    if (result != READ_OK) return result; // errno now holds the year's flag alone

    // A year whose digits wrapped is judged, and converted, by its wrapped value.
    const Wide year = year_of(f);
    const bool leap = is_leap_year(calendar.leap, wide_mod(year, YEARS_PER_CYCLE));
    if (check_day_of_month(f, month_lengths(leap), text) != READ_OK) return READ_FAILED;

    // Year 0 lies before year 1, where the count starts: it is counted one
    // cycle later, with the same leap years, and the cycle is taken back
    // last, which flags its dates before the epoch. Every other step adds, so
    // none overflows unless the seconds do.
    const bool year_0 = wide_join(year) == 0;
    const Wide index =
        wide_sub(wide_add(year, wide_split(year_0 ? YEARS_PER_CYCLE : 0)), wide_split(1));
    const uint32_t in_year = days_before_month.of[leap][f.month - 1] + f.day - 1; // < 366
    const Wide up =
        wide_add(days_before_year(calendar, index), wide_split(in_year + year_1_day(calendar)));
    const Wide days = wide_sub(up, wide_split(year_0 ? cycle_days(calendar) : 0));
    const Wide secs = wide_add(wide_mul(days, SECONDS_PER_DAY), wide_split(second_of_day(f)));
    tp = time_point(secs, 0);
    return READ_OK;
}

// Each calendar's reader, after its first test, which is the cheaper out of
// line, and each calendar's writer get their own copy, its branches decided.
template <const Calendar &calendar>
[[gnu::noinline]] int read_date_of(const char *text, TimePoint &tp) {
    return read_date(text, tp, calendar);
}

[[gnu::always_inline]] inline const char *write_date(const TimePoint &tp,
                                                     const Calendar &calendar) {
    const Wide days = wide_div(seconds_of(tp), SECONDS_PER_DAY); // < 2^48
    const uint32_t second = wide_mod(seconds_of(tp), SECONDS_PER_DAY);
    // Counted from January 1 of year 1 - 400, one cycle earlier, every day
    // of the range has a day number of at least 0, and year Y the index Y + 399.
    const Wide shifted = wide_add(days, wide_split(cycle_days(calendar) - year_1_day(calendar)));

    // e, an estimate of the date's year index: never above it and at most one
    // below, so the day offset from January 1 of index e reaches at most into
    // the next year, and the text rolls over at most once.
    Wide e;
    if (is_gregorian(calendar)) {
        const uint32_t in_cycle = wide_mod(shifted, DAYS_PER_400Y);
        e = wide_add(wide_mul(wide_div(shifted, DAYS_PER_400Y), YEARS_PER_CYCLE),
                     wide_split(in_cycle / DAYS_PER_LEAP_YEAR));
    } else {
        // shifted * 4 / 1461 with both fractional parts dropped
        e = wide_add(wide_div(shifted, DAYS_PER_LEAP_YEAR),
                     wide_div(shifted, JULIAN_ESTIMATE_PERIOD));
    }
    const uint32_t day_offset =
        static_cast<uint32_t>(wide_join(wide_sub(shifted, days_before_year(calendar, e)))); // < 731
    const Wide year = wide_sub(e, wide_split(YEARS_PER_CYCLE - 1));
    return write_calendar_text(calendar, wide_mod(year, YEARS_PER_CYCLE), year, day_offset, second);
}

} // namespace

int read_julian_gregorian(const char *text, TimePoint &tp, const Calendar &calendar) {
    return is_gregorian(calendar) ? read_date_of<GREGORIAN>(text, tp)
                                  : read_date_of<JULIAN>(text, tp);
}

int read_julian(const char *text, TimePoint &tp) {
    return may_be_date(text, JULIAN.separator) ? read_date_of<JULIAN>(text, tp) : READ_NOT_MINE;
}

int read_gregorian(const char *text, TimePoint &tp) {
    return may_be_date(text, GREGORIAN.separator) ? read_date_of<GREGORIAN>(text, tp)
                                                  : READ_NOT_MINE;
}

const char *write_julian_gregorian(const TimePoint &tp, const Calendar &calendar) {
    return write_date(tp, calendar);
}

const char *write_julian(const TimePoint &tp) {
    return write_date(tp, JULIAN);
}

const char *write_gregorian(const TimePoint &tp) {
    return write_date(tp, GREGORIAN);
}
