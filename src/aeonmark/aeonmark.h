// The aeonmark notation, [era]count.fraction, laid over the time line in
// regions. Before [21]00000: old eras of 2000 days in 10000 counts of 0.2 day
// (negative eras before [0]0000), with a ten-day and a two-day stretch at the
// end of era 19 and in era 20. From [21]00000 on: new eras of 100 mean years
// in 100000 counts.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

#include <cstdint>

constexpr uint64_t ERA_ZERO = 68195001600;      // [0]0000, Gregorian 2162-01-04T00:00:00
constexpr uint64_t NEW_ERAS = 73275321600;      // [21]00000, Gregorian 2323-01-01T00:00:00
constexpr uint32_t OLD_ERA_SECONDS = 172800000; // 2000 days
constexpr uint32_t OLD_COUNT_SECONDS = 17280;   // 0.2 day
constexpr uint32_t OLD_COUNTS_PER_ERA = 10000;
constexpr uint32_t MILLIONTHS = 1000000;          // six fraction digits: millionths of a count
constexpr uint32_t OLD_MILLIONTH_NUM = 54;        // a millionth of a 0.2-day count lasts
constexpr uint32_t OLD_MILLIONTH_DEN = 3125;      //   54/3125 s = 0.01728 s
constexpr uint64_t STRETCH_ERA = 19;              // holds the ten-day and two-day stretches
constexpr uint32_t TEN_DAY_FIRST = 7340;          // [19]7340, first ten-day count
constexpr uint32_t TWO_DAY_FIRST = 7840;          // [19]7840, first two-day count
constexpr uint64_t SHORT_ERA = 20;                // two-day counts only, ends at [21]00000
constexpr uint32_t SHORT_ERA_COUNTS = 5006;       // [20]0000 to [20]5005
constexpr uint32_t TEN_DAY_START = 3410035200;    // [19]7340, seconds after [0]0000
constexpr uint32_t TEN_DAY_SECONDS = 864000;      // one count of the ten-day stretch
constexpr uint32_t TEN_DAY_STRETCH = 432000000;   // its 500 counts
constexpr uint32_t TWO_DAY_START = 3842035200;    // [19]7840, seconds after [0]0000
constexpr uint32_t TWO_DAY_SECONDS = 172800;      // one count of the two-day stretch
constexpr uint32_t TWO_DAY_IN_ERA_19 = 373248000; // its 2160 counts in era 19
constexpr uint32_t NEW_ERA_SECONDS = 3155695200;  // 36524.25 days, 100 mean years
constexpr uint32_t NEW_COUNTS_PER_ERA = 100000;
constexpr uint64_t FIRST_NEW_ERA = 21;
constexpr uint32_t NEW_TICKS_PER_SECOND = 125000000;  // new-era time unit: 8 ns
constexpr uint32_t NEW_TICKS_PER_MILLIONTH = 3944619; // 0.031556952 s, a millionth of a new count
constexpr int OLD_COUNT_DIGITS = 4;                   // [19]0042
constexpr int NEW_COUNT_DIGITS = 5;                   // [21]00042
constexpr int FRACTION_DIGITS = 6;                    // millionths of a count
constexpr Wide ERA_ZERO_W = wide_split(ERA_ZERO);
constexpr Wide NEW_ERAS_W = wide_split(NEW_ERAS);

static_assert(OLD_ERA_SECONDS == OLD_COUNTS_PER_ERA * OLD_COUNT_SECONDS);
static_assert(uint64_t{OLD_COUNT_SECONDS} * OLD_MILLIONTH_DEN ==
              uint64_t{OLD_MILLIONTH_NUM} * MILLIONTHS);
static_assert(TEN_DAY_START ==
              STRETCH_ERA * OLD_ERA_SECONDS + uint64_t{TEN_DAY_FIRST} * OLD_COUNT_SECONDS);
static_assert(TWO_DAY_FIRST == TEN_DAY_FIRST + TEN_DAY_STRETCH / TEN_DAY_SECONDS);
static_assert(TEN_DAY_STRETCH == 500 * TEN_DAY_SECONDS);
static_assert(TWO_DAY_START == TEN_DAY_START + TEN_DAY_STRETCH);
static_assert(TWO_DAY_IN_ERA_19 == 2160 * TWO_DAY_SECONDS);
// [20]0000 follows [19]9999, and [20]5005 ends exactly at [21]00000.
constexpr uint64_t ERA_TWENTY = ERA_ZERO + TWO_DAY_START + TWO_DAY_IN_ERA_19;
static_assert(ERA_TWENTY == 72410284800);
static_assert(ERA_TWENTY + uint64_t{SHORT_ERA_COUNTS} * TWO_DAY_SECONDS == NEW_ERAS);
static_assert(uint64_t{NEW_ERA_SECONDS} * NEW_TICKS_PER_SECOND ==
              uint64_t{NEW_COUNTS_PER_ERA} * MILLIONTHS * NEW_TICKS_PER_MILLIONTH);

// Reader of row s. Takes "[" an optional "-", the era, "]" the count and an
// optional "." with fraction digits, and nothing else; any other text is not
// mine. An era above 2^64 - 1 or a count above its era's largest prints
// "integer part is out of range" and fails. Otherwise fills tp with the exact
// instant the text names (six fraction digits, further ones ignored), the
// part below one second taken up to the next 2^-32 s, so text written at
// precision 6 reads back no later than the instant written and writes again
// the same. Sets the flag for instants before the epoch or past 2^64 - 1 s,
// and for the era -0.
int read_aeonmark(const char *text, TimePoint &tp);

// Writer of row s: the text of tp with `precision` fraction digits, always
// truncated. Never touches the flag.
const char *write_aeonmark(const TimePoint &tp);
