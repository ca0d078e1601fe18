// The text layout every calendar writes: year, month and day joined by the
// calendar's separator, then Thh:mm:ss. One buffer serves all calendars.
#pragma once

#include "month_days.h"

#include <cstdint>

// 18446744073709551615-12-31T00:00:00: a 20-digit year and 15 more characters.
constexpr int CALENDAR_TEXT_MAX = 35;

// The month lengths of a year from any value congruent to it mod 400: the
// Julian rule makes every fourth year a leap year; the Gregorian rule then
// drops the centuries but every fourth. Year 0 is a leap year under both.
inline const uint8_t *month_lengths(bool gregorian, uint32_t year_mod_400) {
    const bool leap =
        year_mod_400 % 4 == 0 && (!gregorian || year_mod_400 % 100 != 0 || year_mod_400 % 400 == 0);
    return month_days[leap ? LEAP_ROW : COMMON_ROW];
}

// Lays out the date day_of_year days after January 1 of year (a wide number,
// whose leap status the rule of gregorian takes from year_mod_400), at
// second_of_day (0 to 86399), with separator between the date's fields.
// The year has at least 4 digits, every other field exactly 2.
//
// day_of_year may run past the end of the year: the date then rolls over
// into the next year, once for each year it passes (the calendars' writers
// never pass more than one). Rolling over from year 2^64 - 1 wraps to year 0
// and sets errno to ERANGE; nothing else touches it.
//
// Returns the calendar text buffer, valid until the next calendar text.
const char *write_calendar_text(char separator, bool gregorian, uint32_t year_mod_400,
                                uint64_t year_hi, uint64_t year_lo, uint32_t day_of_year,
                                uint64_t second_of_day);
