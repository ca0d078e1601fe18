// The text layout every calendar writes: year, month and day joined by the
// calendar's separator, then Thh:mm:ss. One buffer serves all calendars.
#pragma once

#include "calendar/calendar_rules.h"
#include "wide/wide.h"

#include <cstdint>

// 18446744073709551615-12-31T00:00:00: a 20-digit year and 15 more characters.
constexpr int CALENDAR_TEXT_MAX = 35;
static_assert(CALENDAR_TEXT_MAX <= WRITER_TEXT_MAX);

// The calendar text buffer, written by write_calendar_text alone.
inline char calendar_text[CALENDAR_TEXT_MAX + 1];

// Lays out the date day_of_year days after January 1 of year, at
// second_of_day (0 to 86399), in calendar's layout. The calendar's leap rule
// takes the year's length from year_mod_400, any value congruent to the year
// mod 400 (ignored by a calendar without leap years). The year has at least 4
// digits, every other field exactly 2.
//
// day_of_year may run past the end of the year: the date then rolls over
// into the next year, once for each year it passes (the calendars' writers
// never pass more than one). Rolling over from year 2^64 - 1 wraps to year 0
// and sets errno to ERANGE; nothing else touches it.
//
// Returns the calendar text buffer, valid until the next calendar text.
// Inline, so that each calendar's writer lays out its own constants.
inline const char *write_calendar_text(const Calendar &calendar, uint32_t year_mod_400, Wide year,
                                       uint32_t day_of_year, uint32_t second_of_day) {
    uint32_t month = 0;
    for (;;) {
        const bool leap = is_leap_year(calendar.leap, year_mod_400);
        if (day_of_year < DAYS_PER_YEAR + leap) {
            // No month is longer than 32 days, so the walk starts at the
            // date's month or the one before.
            const uint32_t *const before = days_before_month.of[leap];
            for (month = day_of_year / 32; month < 11 && day_of_year >= before[month + 1];) ++month;
            day_of_year -= before[month];
            break;
        }
        // Past December: the leap rules decide 400 as 0, so no reduction.
        day_of_year -= DAYS_PER_YEAR + leap;
        year = wide_add(year, wide_split(1));
        ++year_mod_400;
    }

    char *p = put_digits(calendar_text, wide_join(year), 10, 4);
    *p++ = calendar.separator;
    p = put_digits(p, month + 1, 10, 2);
    *p++ = calendar.separator;
    p = put_digits(p, day_of_year + 1, 10, 2);
    *p++ = 'T';
    p = put_digits(p, second_of_day / 3600, 10, 2);
    *p++ = ':';
    p = put_digits(p, second_of_day % 3600 / 60, 10, 2);
    *p++ = ':';
    p = put_digits(p, second_of_day % 60, 10, 2);
    *p = '\0';
    return calendar_text;
}
