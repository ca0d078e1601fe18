// The current time: the clock's count of whole seconds as an instant.
// Nothing but the clock counts: no time zone, leap-second table, file or
// variable is consulted.
#include "main/front_end.h"

#include "main/program.h"
#include "unixtime/unix_time.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace aeonmark {

bool read_clock(int64_t unix_seconds, TimePoint &tp) {
    if (from_unix_seconds(unix_seconds, tp)) return true;
    char seconds[24]; // U, a sign and 19 digits
    snprintf(seconds, sizeof seconds, "U%" PRId64, unix_seconds);
    report("current time is not a date this program can hold", seconds);
    return false;
}

bool read_current_time(TimePoint &tp) {
    errno = 0;
    const time_t now = time(nullptr);
    // -1 is also a time, 1969-12-31T23:59:59: only errno tells a failure.
    if (now == static_cast<time_t>(-1) && errno != 0) {
        report(aeonmark_problem_text(AEONMARK_CLOCK_UNREADABLE), strerror(errno));
        return false;
    }
    return read_clock(static_cast<int64_t>(now), tp);
}

} // namespace aeonmark
