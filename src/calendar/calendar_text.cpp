// Calendar text: the month walk from a day of the year, and the layout.
#include "calendar/calendar_text.h"

namespace {

char calendar_text[CALENDAR_TEXT_MAX + 1];

} // namespace

const char *write_calendar_text(const Calendar &calendar, uint32_t year_mod_400, Wide year,
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
