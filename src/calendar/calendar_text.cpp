// Calendar text: the month walk from a day of the year, and the layout.
#include "calendar/calendar_text.h"

#include "wide/wide.h"

#include <cstring>

namespace {

char calendar_text[CALENDAR_TEXT_MAX + 1];

} // namespace

const char *write_calendar_text(char separator, bool gregorian, uint32_t year_mod_400,
                                uint64_t year_hi, uint64_t year_lo, uint32_t day_of_year,
                                uint64_t second_of_day) {
    uint32_t month = 0;
    for (;;) {
        const uint8_t *const lengths = month_lengths(gregorian, year_mod_400);
        for (month = 0; month < 12 && day_of_year >= lengths[month]; ++month)
            day_of_year -= lengths[month];
        if (month < 12) break;
        // Past December: the same rule decides 400 as 0, so no reduction.
        const Wide next = wide_add(year_hi, year_lo, 0, 1);
        year_hi = next.hi;
        year_lo = next.lo;
        ++year_mod_400;
    }

    const char *const year = wide_to_text(year_hi, year_lo, 10, 4);
    const size_t year_len = strlen(year); // 4 to 20
    char *p = calendar_text;
    memcpy(p, year, year_len);
    p += year_len;
    *p++ = separator;
    p = put_fixed_digits(p, month + 1, 2);
    *p++ = separator;
    p = put_fixed_digits(p, day_of_year + 1, 2);
    *p++ = 'T';
    p = put_fixed_digits(p, second_of_day / 3600, 2);
    *p++ = ':';
    p = put_fixed_digits(p, second_of_day % 3600 / 60, 2);
    *p++ = ':';
    p = put_fixed_digits(p, second_of_day % 60, 2);
    *p = '\0';
    return calendar_text;
}
