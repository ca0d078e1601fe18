// The aeonmark notation, [era]count.fraction, laid over the time line in
// regions. Before [21]00000: old eras of 2000 days in 10000 counts of 0.2 day
// (negative eras before [0]0000), with a ten-day and a two-day stretch at the
// end of era 19 and in era 20. From [21]00000 on: new eras of 100 mean years
// in 100000 counts.
#pragma once

#include "time_point.h"

#include <cstdint>

constexpr uint64_t ERA_ZERO = 68195001600;      // [0]0000, Gregorian 2162-01-04T00:00:00
constexpr uint64_t NEW_ERAS = 73275321600;      // [21]00000, Gregorian 2323-01-01T00:00:00
constexpr uint32_t OLD_ERA_SECONDS = 172800000; // 2000 days
constexpr uint32_t OLD_COUNT_SECONDS = 17280;   // 0.2 day
constexpr uint32_t OLD_COUNTS_PER_ERA = 10000;
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

static_assert(OLD_ERA_SECONDS == OLD_COUNTS_PER_ERA * OLD_COUNT_SECONDS);
static_assert(TEN_DAY_START == 19ULL * OLD_ERA_SECONDS + 7340ULL * OLD_COUNT_SECONDS);
static_assert(TEN_DAY_STRETCH == 500 * TEN_DAY_SECONDS);
static_assert(TWO_DAY_START == TEN_DAY_START + TEN_DAY_STRETCH);
static_assert(TWO_DAY_IN_ERA_19 == 2160 * TWO_DAY_SECONDS);
// [20]0000 follows [19]9999, and [20]5005 ends exactly at [21]00000.
constexpr uint64_t ERA_TWENTY = ERA_ZERO + TWO_DAY_START + TWO_DAY_IN_ERA_19;
static_assert(ERA_TWENTY == 72410284800);
static_assert(ERA_TWENTY + 5006ULL * TWO_DAY_SECONDS == NEW_ERAS);
static_assert(uint64_t{NEW_ERA_SECONDS} * NEW_TICKS_PER_SECOND ==
              uint64_t{NEW_COUNTS_PER_ERA} * 1000000 * NEW_TICKS_PER_MILLIONTH);

// Reader of row s: the exact instant the text names, the part below one
// second taken up to the next 2^-32 s.
int read_aeonmark(const char *text, TimePoint &tp);

// Writer of row s: the text of tp with `precision` fraction digits, always
// truncated. Never touches the flag.
const char *write_aeonmark(const TimePoint &tp);
