// Unix time: U, an optional minus sign, and a count of seconds from
// 1970-01-01T00:00:00 in decimal or, after 0x, in hexadecimal.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

#include <cstdint>

namespace aeonmark {

// TimePoint seconds of Unix time 0.
constexpr Wide UNIX_EPOCH = wide_split(62135769600);

// Reader of row u. Not mine unless the text starts with U or u; a malformed
// rest is AEONMARK_MALFORMED_UNIX, a count outside the TimePoint's range
// AEONMARK_OUT_OF_RANGE (with the wrapped value filled in).
ReadResult read_unix_time(const char *text, TimePoint &tp);
ReadResult read_unix_time(const char *begin, const char *end, TimePoint &tp);

// Writers of rows u and x: the whole seconds of tp (the floor of its Unix
// time) in decimal, or in hexadecimal after 0x.
char *write_unix_decimal(const TimePoint &tp, int digits, char *out);
char *write_unix_hex(const TimePoint &tp, int digits, char *out);

// The instant of Unix time unix_seconds, whole seconds; false, leaving tp
// alone, before the epoch. Every later int64_t count is held.
bool from_unix_seconds(int64_t unix_seconds, TimePoint &tp);

// The Unix time of tp in whole seconds, the fraction dropped (the floor);
// false, leaving unix_seconds alone, past INT64_MAX.
bool to_unix_seconds(const TimePoint &tp, int64_t &unix_seconds);

// A part of a second in nanoseconds, as struct timespec holds it, and in
// 2^-32 s: taken up one way, as the readers take a part of a second, and
// down the other, as the writers cut theirs, so that every count of
// nanoseconds comes back: up adds less than 2^-32 s, below a nanosecond.
constexpr uint32_t NANOSECONDS_PER_SECOND = 1000000000;
constexpr uint32_t fraction_of_nanoseconds(uint32_t nanoseconds) { // below 10^9
    return static_cast<uint32_t>(((uint64_t{nanoseconds} << 32) + NANOSECONDS_PER_SECOND - 1) /
                                 NANOSECONDS_PER_SECOND); // < 2^62 before division
}
constexpr uint32_t nanoseconds_of_fraction(uint64_t frac) {            // below 2^32
    return static_cast<uint32_t>(frac * NANOSECONDS_PER_SECOND >> 32); // < 2^62 before the shift
}
static_assert(nanoseconds_of_fraction(fraction_of_nanoseconds(NANOSECONDS_PER_SECOND - 1)) ==
                  NANOSECONDS_PER_SECOND - 1 &&
              nanoseconds_of_fraction(fraction_of_nanoseconds(1)) == 1 &&
              fraction_of_nanoseconds(NANOSECONDS_PER_SECOND - 1) <= HALF_MASK);

} // namespace aeonmark
