// The text shape the calendars share: year, month and day joined by the
// calendar's separator, then optionally T (or t) and a time of day.
#pragma once

#include "wide/wide.h"

#include <cstdint>

// One calendar date as written, each field within its own range; the day is
// not yet checked against the length of its month.
struct DateFields {
    uint64_t year_hi; // the year, a wide number: any value 0 to 2^64 - 1
    uint64_t year_lo;
    uint32_t month;  // 1 to 12
    uint32_t day;    // 1 to 31
    uint32_t hour;   // 0 to 23; 0 without a time of day
    uint32_t minute; // 0 to 59; 0 without a time of day
    uint32_t second; // 0 to 59; 0 without a time of day or without seconds
};

constexpr Wide year_of(const DateFields &f) {
    return {f.year_hi, f.year_lo};
}

// Reads year<sep>month<sep>day, optionally followed by Thh:mm or Thh:mm:ss,
// every field a run of decimal digits of any length (leading zeros allowed).
//
// READ_NOT_MINE, silently and touching neither fields nor errno, unless the
// text starts with three digit runs joined by separator. From there on the
// text is this notation's: a bad tail prints "malformed time of day"; then
// month, day, hour, minute and second are checked in this order and the first
// out of its range prints its message; both give READ_FAILED.
//
// READ_OK fills every field and sets errno to ERANGE when the year's digits
// exceed 2^64 - 1 (the year is then wrapped mod 2^64); nothing else touches
// it.
int read_date_fields(DateFields &fields, const char *text, char separator);

// Calendar date text starts with a run of digits and the calendar's
// separator: the readers test it first, so that they refuse the texts of
// other notations at once.
inline bool may_be_date(const char *text, char separator) {
    const char *p = text;
    while (is_decimal_digit(*p)) ++p;
    return p != text && *p == separator;
}

// The fields' time of day in seconds since midnight, 0 to 86399.
inline uint32_t second_of_day(const DateFields &f) {
    return f.hour * 3600 + f.minute * 60 + f.second;
}

// Prints "day is out of range" with the whole text; gives READ_FAILED.
int report_day_of_month(const char *text);

// READ_OK when the day lies within its month, as the calendar's month
// lengths (twelve entries) give it; otherwise reports it, READ_FAILED.
inline int check_day_of_month(const DateFields &f, const uint8_t *lengths, const char *text) {
    return f.day <= lengths[f.month - 1] ? READ_OK : report_day_of_month(text);
}
