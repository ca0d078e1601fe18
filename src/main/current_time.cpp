// The current time, written as Gregorian text and read back by the Gregorian
// reader, so that it takes the same path as a typed date.
#include "main/front_end.h"

#include "calendar/julian_gregorian.h"
#include "program.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>

bool read_utc_time(const struct tm &utc, TimePoint &tp) {
    // Any int year plus 1900 (up to 11 characters with its sign) and 15 more;
    // only fields no clock gives could be cut short.
    char text[32];
    const long long year = utc.tm_year + 1900LL;
    const int len = snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d", year,
                             utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    if (len < 0 || len >= static_cast<int>(sizeof text)) {
        report("current time cannot be written as a date", text);
        return false;
    }
    // A clock before year 0 (a signed year), before 0000-12-30 or past the
    // last instant would leave tp unfilled or wrapped.
    errno = 0;
    const int result = read_gregorian(text, tp);
    if (result != READ_OK) {
        report("current time is not a date this program can hold", text);
        return false;
    }
    if (errno == ERANGE) {
        report("date is out of acceptable range", text);
        return false;
    }
    return true;
}

bool read_current_time(TimePoint &tp) {
    const time_t now = time(nullptr);
    if (now == static_cast<time_t>(-1)) {
        report("cannot read the system clock", strerror(errno));
        return false;
    }
    const struct tm *const utc = gmtime(&now);
    if (utc == nullptr) {
        char seconds[24]; // a sign and 20 digits
        snprintf(seconds, sizeof seconds, "%" PRIdMAX, static_cast<intmax_t>(now));
        report("cannot break the current time into UTC fields", seconds);
        return false;
    }
    return read_utc_time(*utc, tp);
}
