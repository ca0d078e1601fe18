// The notations in table order, and the claim of a text: the first reader
// that claims it decides.
#include "main/front_end.h"

#include "aeonmark/aeonmark.h"
#include "calendar/julian_gregorian.h"
#include "calendar/mean_year.h"
#include "program.h"
#include "unixtime/unix_time.h"

#include <cerrno>
#include <span>

FormatEntry format_table[NOTATIONS + 1] = {
    {'s', 0, read_aeonmark, write_aeonmark},   // [era]count.fraction
    {'j', 0, read_julian, write_julian},       // year=month=day
    {'g', 0, read_gregorian, write_gregorian}, // year-month-day
    {'q', 0, read_mean_year, write_mean_year}, // year*month*day
    {'u', 0, read_unix_time, write_unix_decimal},
    {'x', 0, nullptr, write_unix_hex},
    {'\0', 0, nullptr, nullptr},
};

int claim_date(const char *text, TimePoint &tp) {
#pragma GCC unroll NOTATIONS
    for (const FormatEntry &row : std::span(format_table, NOTATIONS)) {
        errno = 0;
        if (row.reader == nullptr) continue;
        const int result = row.reader(text, tp);
        if (result != READ_NOT_MINE) return result;
    }
    return READ_NOT_MINE;
}

bool convert_date(const char *text, TimePoint &tp) {
    switch (claim_date(text, tp)) {
    case READ_OK:
        if (errno != ERANGE) {
            print_line(tp);
            return true;
        }
        report("date is out of acceptable range", text);
        return false;
    case READ_NOT_MINE:
        report("date format unrecognised", text);
        return false;
    default:
        return false; // the reader has said why
    }
}
