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

} // namespace aeonmark
