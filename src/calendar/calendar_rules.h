// The rules the three calendars share: the lengths of days, years and
// months, the leap rules, and how each calendar is written.
#pragma once

#include "month_days.h"

#include <cstdint>

constexpr uint32_t SECONDS_PER_DAY = 86400;
constexpr uint32_t DAYS_PER_YEAR = 365;                // a common year
constexpr uint32_t DAYS_PER_LEAP_YEAR = 366;           // no year is longer
constexpr uint32_t DAYS_PER_4Y = 365 * 4 + 1;          // the Julian cycle
constexpr uint32_t DAYS_PER_400Y = 365 * 400 + 97;     // the Gregorian cycle
constexpr uint32_t YEARS_PER_CYCLE = 400;              // both leap rules repeat after it
static_assert(DAYS_PER_400Y == 100 * DAYS_PER_4Y - 3); // the centuries but every fourth

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

// The twelve month lengths of a leap or a common year.
constexpr const uint8_t *month_lengths(bool leap) {
    return month_days[leap ? 0 : 1]; // the leap-year row comes first
}

// Days of the year before each month, of a common and of a leap year.
inline constexpr struct DaysBeforeMonth {
    uint32_t of[2][12];
    constexpr DaysBeforeMonth() : of{} {
        for (int leap = 0; leap < 2; ++leap)
            for (int m = 1; m < 12; ++m)
                of[leap][m] = of[leap][m - 1] + month_lengths(leap != 0)[m - 1];
    }
} days_before_month;
static_assert(days_before_month.of[false][11] + month_lengths(false)[11] == DAYS_PER_YEAR);
static_assert(days_before_month.of[true][11] + month_lengths(true)[11] == DAYS_PER_LEAP_YEAR);
