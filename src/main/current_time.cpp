// The current time: the clock's count of seconds, laid out as Gregorian text
// by the calendar's own arithmetic and read back by the Gregorian reader, so
// that it takes the same path as a typed date. Nothing but the clock counts:
// no time zone, leap-second table, file or variable is consulted.
#include "main/front_end.h"

#include "calendar/julian_gregorian.h"
#include "program.h"
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>

bool read_clock(int64_t unix_seconds, TimePoint &tp) {
    if (unix_seconds < -static_cast<int64_t>(wide_join(UNIX_EPOCH))) {
        char seconds[24]; // U, a sign and 19 digits
        snprintf(seconds, sizeof seconds, "U%" PRId64, unix_seconds);
        report("current time is not a date this program can hold", seconds);
        return false;
    }
    // Mod 2^64 this adds a negative count too; the sum lies below 2^64.
    const uint64_t secs = wide_join(UNIX_EPOCH) + static_cast<uint64_t>(unix_seconds);
    // Readers never write the calendar text buffer, so the text stays put.
    const char *text = write_gregorian(time_point(wide_split(secs), 0));
    if (claim_date(text, tp) != READ_OK || errno == ERANGE) {
        report("current time is not a date this program can hold", text);
        return false;
    }
    return true;
}

bool read_current_time(TimePoint &tp) {
    errno = 0;
    const time_t now = time(nullptr);
    // -1 is also a time, 1969-12-31T23:59:59: only errno tells a failure.
    if (now == static_cast<time_t>(-1) && errno != 0) {
        report("cannot read the system clock", strerror(errno));
        return false;
    }
    return read_clock(static_cast<int64_t>(now), tp);
}
