// The notations in table order, and the per-argument protocol: the first
// reader that claims a text decides.
#include "main/front_end.h"

#include "aeonmark/aeonmark.h"
#include "calendar/julian_gregorian.h"
#include "calendar/mean_year.h"
#include "program.h"
#include "unixtime/unix_time.h"

#include <cerrno>
#include <cstdio>

FormatEntry format_table[] = {
    {'s', 0, read_aeonmark, write_aeonmark},   // [era]count.fraction
    {'j', 0, read_julian, write_julian},       // year=month=day
    {'g', 0, read_gregorian, write_gregorian}, // year-month-day
    {'q', 0, read_mean_year, write_mean_year}, // year*month*day
    {'u', 0, read_unix_time, write_unix_decimal},
    {'x', 0, nullptr, write_unix_hex},
    {'\0', 0, nullptr, nullptr},
};

bool convert_date(const char *text, TimePoint &tp) {
    for (const FormatEntry *row = format_table; row->letter != '\0'; ++row) {
        errno = 0;
        if (row->reader == nullptr) continue;
        const int result = row->reader(text, tp);
        if (result == READ_NOT_MINE) continue;
        if (result == READ_FAILED) return false;
        if (errno == ERANGE) {
            report("date is out of acceptable range", text);
            return false;
        }
        print_line(tp);
        return true;
    }
    report("date format unrecognised", text);
    return false;
}
