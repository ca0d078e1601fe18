// The current time, read through the Unix reader so that it takes the same
// path as a typed date.
#include "main/front_end.h"

#include "program.h"
#include "unixtime/unix_time.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>

bool read_current_time(TimePoint &tp) {
    const time_t now = time(nullptr);
    char text[24]; // U, a sign and 20 digits
    if (now == static_cast<time_t>(-1) ||
        snprintf(text, sizeof text, "U%" PRIdMAX, static_cast<intmax_t>(now)) >=
            static_cast<int>(sizeof text) ||
        read_unix_time(text, tp) != READ_OK) {
        report("cannot read the system clock", "time");
        return false;
    }
    return true;
}
