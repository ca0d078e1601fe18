// The text layout every calendar writes: year, month and day joined by the
// calendar's separator, then Thh:mm:ss.
#pragma once

#include "calendar/calendar_rules.h"
#include "wide/wide.h"

#include <cstdint>

namespace aeonmark {

// 18446744073709551615-12-31T00:00:00: a 20-digit year and 15 more characters.
constexpr int CALENDAR_TEXT_MAX = 35;
static_assert(CALENDAR_TEXT_MAX <= WRITER_TEXT_MAX);

// Lays out the date day_of_year days after January 1 of year (0 to the
// year's last day), at second_of_day (0 to 86399), in calendar's layout. The
// year has at least 4 digits, every other field exactly 2: at most
// CALENDAR_TEXT_MAX bytes at out, no terminator. Returns the position after
// them. Inline, so that each calendar's writer lays out its own constants.
inline char *write_calendar_text(const Calendar &calendar, Wide year, uint32_t day_of_year,
                                 uint32_t second_of_day, char *out) {
    const bool leap = is_leap_year(calendar.leap, wide_mod(year, YEARS_PER_CYCLE));
    const uint32_t *const before = months_of_year(leap).days_before;
    // No month is longer than 32 days: the date's month is this one or the next.
    uint32_t month = day_of_year / 32;
    if (month < 11 && day_of_year >= before[month + 1]) ++month;

    char *p = put_digits(out, wide_join(year), 10, 4);
    *p++ = calendar.separator;
    p = put_digits(p, month + 1, 10, 2);
    *p++ = calendar.separator;
    p = put_digits(p, day_of_year - before[month] + 1, 10, 2);
    *p++ = 'T';
    p = put_digits(p, second_of_day / 3600, 10, 2);
    *p++ = ':';
    p = put_digits(p, second_of_day % 3600 / 60, 10, 2);
    *p++ = ':';
    return put_digits(p, second_of_day % 60, 10, 2);
}

} // namespace aeonmark
