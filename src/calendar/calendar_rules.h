// The rules the three calendars share: the lengths of days, years and
// months, the leap rules, and how each calendar is written.
#pragma once

#include "calendar/month_days.h"

#include <cstdint>

namespace aeonmark {

constexpr uint32_t SECONDS_PER_DAY = 86400;
constexpr uint32_t DAYS_PER_YEAR = 365;                // a common year
constexpr uint32_t DAYS_PER_LEAP_YEAR = 366;           // no year is longer
constexpr uint32_t DAYS_PER_4Y = 365 * 4 + 1;          // the Julian cycle
constexpr uint32_t DAYS_PER_100Y = 365 * 100 + 24;     // a Gregorian century but every fourth
constexpr uint32_t DAYS_PER_400Y = 365 * 400 + 97;     // the Gregorian cycle
constexpr uint32_t YEARS_PER_CYCLE = 400;              // both leap rules repeat after it
static_assert(DAYS_PER_400Y == 100 * DAYS_PER_4Y - 3); // the centuries but every fourth
static_assert(DAYS_PER_400Y == 4 * DAYS_PER_100Y + 1);

// Which years have February 29.
enum class LeapRule : uint8_t {
    EVERY_FOURTH,         // Julian: every year divisible by 4
    EVERY_FOURTH_BUT_100, // Gregorian: and of the centuries only every fourth
    NONE,                 // mean-year calendar: never
};

// A calendar as its text and its month walk need it.
struct Calendar {
    char separator; // between year, month and day
    LeapRule leap;
};

constexpr Calendar JULIAN{'=', LeapRule::EVERY_FOURTH};
constexpr Calendar GREGORIAN{'-', LeapRule::EVERY_FOURTH_BUT_100};
constexpr Calendar MEAN_YEAR{'*', LeapRule::NONE};

// Any value congruent to the year mod 400 decides, so year 0 is a leap year
// under both rules that have one.
constexpr bool is_leap_year(LeapRule rule, uint32_t year_mod_400) {
    return rule != LeapRule::NONE && year_mod_400 % 4 == 0 &&
           (rule == LeapRule::EVERY_FOURTH || year_mod_400 % 100 != 0 || year_mod_400 % 400 == 0);
}

// Days of the year before each month, row by row as month_days.
inline constexpr struct DaysBeforeMonth {
    uint32_t of[2][12];
    constexpr DaysBeforeMonth() : of{} {
        for (int row = 0; row < 2; ++row)
            for (int m = 1; m < 12; ++m) of[row][m] = of[row][m - 1] + month_days[row][m - 1];
    }
} days_before_month;

// The months of a leap or a common year: every calendar reads both tables
// through here, the one place that knows their rows' order.
struct MonthTable {
    const uint8_t *lengths;      // of each month
    const uint32_t *days_before; // the days of the year before each month
};
constexpr MonthTable months_of_year(bool leap) {
    const int row = leap ? 0 : 1; // the leap-year row comes first
    return {month_days[row], days_before_month.of[row]};
}
static_assert(months_of_year(false).days_before[11] + months_of_year(false).lengths[11] ==
              DAYS_PER_YEAR);
static_assert(months_of_year(true).days_before[11] + months_of_year(true).lengths[11] ==
              DAYS_PER_LEAP_YEAR);

} // namespace aeonmark
