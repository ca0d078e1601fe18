// Unix time: U, an optional minus sign, and a count of seconds from
// 1970-01-01T00:00:00 in decimal or, after 0x, in hexadecimal.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

// TimePoint seconds of Unix time 0.
constexpr Wide UNIX_EPOCH = wide_split(62135769600);

// Reader of row u. Not mine unless the text starts with U or u; a malformed
// rest prints "malformed Unix date". Sets the flag for counts outside the
// TimePoint's range and still fills the TimePoint (with the wrapped value).
int read_unix_time(const char *text, TimePoint &tp);

// Writers of rows u and x: the whole seconds of tp (the floor of its Unix
// time) in decimal, or in hexadecimal after 0x; never touch the flag. The
// text lives in one buffer shared by both.
const char *write_unix_decimal(const TimePoint &tp);
const char *write_unix_hex(const TimePoint &tp);
