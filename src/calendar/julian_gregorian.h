// The proleptic Julian calendar, year=month=day, and the proleptic Gregorian
// calendar, year-month-day, each with a time of day: Thh:mm or Thh:mm:ss when
// read, always Thh:mm:ss when written. Years have no sign and start at 0.
#pragma once

#include "time_point.h"

namespace aeonmark {

// Readers of rows j and g: a date of the calendar into whole seconds (frac
// 0). Not mine, or failed, as the date fields are; a day beyond its month in
// that calendar's year is AEONMARK_DAY_OUT_OF_RANGE. Constant time for any
// year up to 2^64 - 1.
//
// AEONMARK_OUT_OF_RANGE exactly when the year's digits exceed 2^64 - 1 (the
// wrapped year is converted) or the instant lies before the epoch or beyond
// 2^64 - 1 seconds; tp then holds the true count mod 2^64 (for years below
// 2^64 - 399). The last instants are Julian 584542046091=08=18T07:00:15
// and Gregorian 584554049254-11-07T07:00:15; the first are 0001=01=01 and
// 0000-12-30.
ReadResult read_julian(const char *text, TimePoint &tp);
ReadResult read_julian(const char *begin, const char *end, TimePoint &tp);
ReadResult read_gregorian(const char *text, TimePoint &tp);
ReadResult read_gregorian(const char *begin, const char *end, TimePoint &tp);

// Writers of rows j and g: the date of the whole second of tp (frac
// dropped), exact for every TimePoint; years 1 to 584542046091 (Julian) or 0
// to 584554049254 (Gregorian).
char *write_julian(const TimePoint &tp, int digits, char *out);
char *write_gregorian(const TimePoint &tp, int digits, char *out);

} // namespace aeonmark
