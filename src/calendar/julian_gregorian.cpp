// Julian and Gregorian dates to seconds since the epoch and back, by a fixed
// number of wide operations: no loop over years or cycles.
#include "calendar/julian_gregorian.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"
#include "wide/wide.h"

namespace {

// Both calendars count days from January 1 of year -399, one 400-year cycle
// before year 1, so that every day of the range and every year from 0 on has
// a number of at least 0: year Y is year index Y + 399 there. The reader goes
// up this cycle in years and back down in days, the writer the other way.
constexpr uint32_t YEAR_0_INDEX = YEARS_PER_CYCLE - 1;

constexpr uint32_t GREGORIAN_YEAR_1_DAY = 2;        // Gregorian 0001-01-01 is day 2 of the epoch
constexpr uint32_t JULIAN_ESTIMATE_PERIOD = 178242; // 1/366 + 1/178242 = 4/1461
static_assert(JULIAN_ESTIMATE_PERIOD == 122 * DAYS_PER_4Y);
static_assert(JULIAN_ESTIMATE_PERIOD == 487 * DAYS_PER_LEAP_YEAR);

bool is_gregorian(const Calendar &calendar) {
    return calendar.leap == LeapRule::EVERY_FOURTH_BUT_100;
}

// The epoch's day in that count: one cycle after its first day comes January
// 1 of year 1, the epoch itself in the Julian calendar.
uint32_t epoch_day(const Calendar &calendar) {
    return is_gregorian(calendar) ? DAYS_PER_400Y - GREGORIAN_YEAR_1_DAY
                                  : YEARS_PER_CYCLE / 4 * DAYS_PER_4Y;
}

// Days in the first `years` years of that count, whose leap years are the
// indices 3, 7, 11 ...: years * 365 + years / 4, and in the Gregorian
// calendar - years / 100 + years / 400. Flags only a count past 2^64 - 1.
inline Wide days_before_year(const Calendar &calendar, Wide years) {
    Wide days = wide_add(wide_mul(years, DAYS_PER_YEAR), wide_div(years, 4));
    if (is_gregorian(calendar))
        days = wide_add(wide_sub(days, wide_div(years, 100)), wide_div(years, 400));
    return days;
}

// The reader's work after its first test, which is the cheaper out of line.
[[gnu::noinline]] int read_date(const char *text, TimePoint &tp, const Calendar &calendar) {
    DateFields f;
    const int result = read_date_fields(f, text, calendar.separator);
    if (result != READ_OK) return result; // errno now holds the year's flag alone

    // A year whose digits wrapped is judged, and converted, by its wrapped value.
    const Wide year = year_of(f);
    const bool leap = is_leap_year(calendar.leap, wide_mod(year, YEARS_PER_CYCLE));
    if (check_day_of_month(f, month_lengths(leap), text) != READ_OK) return READ_FAILED;

    // Every step adds, so none overflows unless the seconds do (or the year
    // lies within 399 of 2^64, far past the range); the shift back down
    // flags the dates before the epoch.
    const Wide index = wide_add(year, wide_split(YEAR_0_INDEX));
    const uint32_t in_year = days_before_month.of[leap][f.month - 1] + f.day - 1; // < 366
    const Wide shifted = wide_add(days_before_year(calendar, index), wide_split(in_year));
    const Wide days = wide_sub(shifted, wide_split(epoch_day(calendar)));
    const Wide secs = wide_add(wide_mul(days, SECONDS_PER_DAY), wide_split(second_of_day(f)));
    tp = time_point(secs, 0);
    return READ_OK;
}

// Each calendar's writer gets its own copy, its branches decided.
[[gnu::always_inline]] inline const char *write_date(const TimePoint &tp,
                                                     const Calendar &calendar) {
    const Wide days = wide_div(seconds_of(tp), SECONDS_PER_DAY); // < 2^48
    const uint32_t second = wide_mod(seconds_of(tp), SECONDS_PER_DAY);
    const Wide shifted = wide_add(days, wide_split(epoch_day(calendar)));

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
    const Wide year = wide_sub(e, wide_split(YEAR_0_INDEX));
    return write_calendar_text(calendar, wide_mod(year, YEARS_PER_CYCLE), year, day_offset, second);
}

} // namespace

int read_julian_gregorian(const char *text, TimePoint &tp, const Calendar &calendar) {
    return read_date(text, tp, calendar);
}

int read_julian(const char *text, TimePoint &tp) {
    return may_be_date(text, JULIAN.separator) ? read_date(text, tp, JULIAN) : READ_NOT_MINE;
}

int read_gregorian(const char *text, TimePoint &tp) {
    return may_be_date(text, GREGORIAN.separator) ? read_date(text, tp, GREGORIAN) : READ_NOT_MINE;
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
