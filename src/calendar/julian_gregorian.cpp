// Julian and Gregorian dates to seconds since the epoch and back, by a fixed
// number of wide operations: no loop over years or cycles.
#include "calendar/julian_gregorian.h"

#include "calendar/calendar_text.h"
#include "calendar/date_fields.h"
#include "wide/wide.h"

namespace aeonmark {

namespace {

constexpr uint32_t GREGORIAN_YEAR_1_DAY = 2; // Gregorian 0001-01-01 is day 2 of the epoch

// The day arithmetic below is the Julian or the Gregorian one: only those
// two calendars come here.
constexpr bool is_gregorian(const Calendar &calendar) {
    return calendar.leap == LeapRule::EVERY_FOURTH_BUT_100;
}

// Days in the calendar's 400 years, after which its leap years repeat.
constexpr uint32_t cycle_days(const Calendar &calendar) {
    return is_gregorian(calendar) ? DAYS_PER_400Y : YEARS_PER_CYCLE / 4 * DAYS_PER_4Y;
}

// The epoch's day number of January 1 of year 1: the epoch itself in the
// Julian calendar.
constexpr uint32_t year_1_day(const Calendar &calendar) {
    return is_gregorian(calendar) ? GREGORIAN_YEAR_1_DAY : 0;
}

// Days in the first `years` (0 to 400) years from January 1 of a year 1 mod
// 400, whose leap years are the indices 3, 7, 11 ...: years * 365 + years / 4,
// and in the Gregorian calendar - years / 100 + years / 400.
constexpr uint32_t days_before_year_in_cycle(const Calendar &calendar, uint32_t years) {
    uint32_t days = years * DAYS_PER_YEAR + years / 4;
    if (is_gregorian(calendar)) days = days - years / 100 + years / 400;
    return days;
}
static_assert(days_before_year_in_cycle(GREGORIAN, YEARS_PER_CYCLE) == cycle_days(GREGORIAN));
static_assert(days_before_year_in_cycle(JULIAN, YEARS_PER_CYCLE) == cycle_days(JULIAN));

// The same for any count of years: whole cycles, then the rest. Flags only a
// count past 2^64 - 1.
inline Wide days_before_year(const Calendar &calendar, Wide years, Overflow &flag) {
    const uint32_t rest = days_before_year_in_cycle(calendar, wide_mod(years, YEARS_PER_CYCLE));
    return wide_add(wide_mul(wide_div(years, YEARS_PER_CYCLE), cycle_days(calendar), flag),
                    wide_split(rest), flag);
}

template <typename Text>
[[gnu::always_inline]] inline ReadResult read_date(const char *text, Text t, TimePoint &tp,
                                                   const Calendar &calendar) {
    DateFields f;
    Overflow flag;
    const ReadResult result = read_date_fields(f, text, calendar.separator, flag, t);
    if (result != READ_OK) return result; // the flag now holds the year's alone

    // A year whose digits wrapped is judged, and converted, by its wrapped value.
    const Wide year = year_of(f);
    const MonthTable months =
        months_of_year(is_leap_year(calendar.leap, wide_mod(year, YEARS_PER_CYCLE)));
    if (!day_in_month(f, months.lengths)) return AEONMARK_DAY_OUT_OF_RANGE;

    // Year 0 lies before year 1, where the count starts: it is counted one
    // cycle later, with the same leap years, and the cycle is taken back
    // last, which flags its dates before the epoch. Every other step adds, so
    // none overflows unless the seconds do.
    const bool year_0 = wide_join(year) == 0;
    const Wide index = wide_sub(wide_add(year, wide_split(year_0 ? YEARS_PER_CYCLE : 0), flag),
                                wide_split(1), flag);
    const uint32_t in_year = months.days_before[f.month - 1] + f.day - 1; // < 366
    const Wide up = wide_add(days_before_year(calendar, index, flag),
                             wide_split(in_year + year_1_day(calendar)), flag);
    const Wide days = wide_sub(up, wide_split(year_0 ? cycle_days(calendar) : 0), flag);
    const Wide secs =
        wide_add(wide_mul(days, SECONDS_PER_DAY, flag), wide_split(second_of_day(f)), flag);
    tp = time_point(secs, 0);
    return read_result(flag);
}

template <typename Text>
[[gnu::noinline]] ReadResult read_julian_rest(const char *text, Text t, TimePoint &tp) {
    return read_date(text, t, tp, JULIAN);
}

template <typename Text>
[[gnu::noinline]] ReadResult read_gregorian_rest(const char *text, Text t, TimePoint &tp) {
    return read_date(text, t, tp, GREGORIAN);
}

// The year of the calendar's 400-year cycle (0 to 399) that holds
// day_in_cycle: what is left once the leap days before it are taken off
// counts 365-day years. Every 4 years have one (day / 1460, 4 years less
// their leap day); in the Gregorian calendar the centuries but every fourth
// have none (day / 36524 puts one back a century, day / 146096 takes the
// 400th off again). Exact for every day of the cycle.
inline uint32_t year_in_cycle(const Calendar &calendar, uint32_t day_in_cycle) {
    uint32_t days = day_in_cycle - day_in_cycle / (DAYS_PER_4Y - 1);
    if (is_gregorian(calendar))
        days += day_in_cycle / DAYS_PER_100Y - day_in_cycle / (DAYS_PER_400Y - 1);
    return days / DAYS_PER_YEAR;
}

// Each calendar's writer gets its own copy, its branches decided.
[[gnu::always_inline]] inline char *write_date(const TimePoint &tp, const Calendar &calendar,
                                               char *out) {
    const Wide days = wide_div(seconds_of(tp), SECONDS_PER_DAY); // < 2^48
    const uint32_t second = wide_mod(seconds_of(tp), SECONDS_PER_DAY);
    // Counted from January 1 of year 1 - 400, one cycle earlier, every day
    // of the range has a day number of at least 0, and year Y the index Y + 399.
    const Wide shifted = wide_add(days, wide_split(cycle_days(calendar) - year_1_day(calendar)));
    const uint32_t day_in_cycle = wide_mod(shifted, cycle_days(calendar));
    const uint32_t years = year_in_cycle(calendar, day_in_cycle);
    const uint32_t day_of_year = day_in_cycle - days_before_year_in_cycle(calendar, years);
    const Wide index = wide_add(wide_mul(wide_div(shifted, cycle_days(calendar)), YEARS_PER_CYCLE),
                                wide_split(years));
    return write_calendar_text(calendar, wide_sub(index, wide_split(YEARS_PER_CYCLE - 1)),
                               day_of_year, second, out);
}

} // namespace

ReadResult read_julian(const char *text, TimePoint &tp) {
    const NulEnded t;
    return may_be_date(text, JULIAN.separator, t) ? read_julian_rest(text, t, tp) : READ_NOT_MINE;
}

ReadResult read_julian(const char *begin, const char *end, TimePoint &tp) {
    const Counted t{end};
    return may_be_date(begin, JULIAN.separator, t) ? read_julian_rest(begin, t, tp) : READ_NOT_MINE;
}

ReadResult read_gregorian(const char *text, TimePoint &tp) {
    const NulEnded t;
    return may_be_date(text, GREGORIAN.separator, t) ? read_gregorian_rest(text, t, tp)
                                                     : READ_NOT_MINE;
}

ReadResult read_gregorian(const char *begin, const char *end, TimePoint &tp) {
    const Counted t{end};
    return may_be_date(begin, GREGORIAN.separator, t) ? read_gregorian_rest(begin, t, tp)
                                                      : READ_NOT_MINE;
}

char *write_julian(const TimePoint &tp, int /*digits*/, char *out) {
    return write_date(tp, JULIAN, out);
}

char *write_gregorian(const TimePoint &tp, int /*digits*/, char *out) {
    return write_date(tp, GREGORIAN, out);
}

} // namespace aeonmark
