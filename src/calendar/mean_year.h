// The mean-year calendar, year*month*day with a time of day: every year lasts
// exactly 365.2425 days and is laid out as a 365-day common year stretched
// evenly over it. Year 323 begins at Gregorian 0323-01-01T00:00:00, and so
// does every 400th year from it.
#pragma once

#include "calendar/calendar_rules.h"
#include "time_point.h"
#include "wide/wide.h"

#include <cstdint>

namespace aeonmark {

constexpr uint32_t MEAN_YEAR_SECONDS = 31556952;    // 365.2425 days
constexpr uint32_t NOMINAL_YEAR_SECONDS = 31536000; // the 365 days it is laid out as
constexpr uint64_t MEAN_ANCHOR_YEAR = 323;
constexpr Wide MEAN_ANCHOR = wide_split(10161417600); // start of year 323, Gregorian 0323-01-01
constexpr Wide MEAN_CYCLE_SECONDS = wide_split(12622780800); // 400 mean years, 146097 days

static_assert(MEAN_YEAR_SECONDS == 216 * 146097 && NOMINAL_YEAR_SECONDS == 216 * 146000);
static_assert(NOMINAL_YEAR_SECONDS == DAYS_PER_YEAR * SECONDS_PER_DAY);
static_assert(wide_join(MEAN_CYCLE_SECONDS) == uint64_t{YEARS_PER_CYCLE} * MEAN_YEAR_SECONDS);
static_assert(wide_join(MEAN_CYCLE_SECONDS) == uint64_t{DAYS_PER_400Y} * SECONDS_PER_DAY);
static_assert(wide_join(MEAN_ANCHOR) - (MEAN_ANCHOR_YEAR - 1) * MEAN_YEAR_SECONDS ==
              79056); // year 1

// Reader of row q. Not mine, or failed, as the date fields are; a day beyond
// the month's common-year length (February 29 included, in every year) is
// AEONMARK_DAY_OUT_OF_RANGE. On READ_OK, tp is the first instant in 2^-32 s
// at or after the date. AEONMARK_OUT_OF_RANGE exactly when the year's digits
// exceed 2^64 - 1 or the instant lies before the epoch or beyond 2^64 - 1
// seconds (tp then holds the seconds mod 2^64).
ReadResult read_mean_year(const char *text, TimePoint &tp);
ReadResult read_mean_year(const char *begin, const char *end, TimePoint &tp);

// Writer of row q: the nominal second in which tp lies (the part below it
// dropped), for every TimePoint.
char *write_mean_year(const TimePoint &tp, int digits, char *out);

} // namespace aeonmark
