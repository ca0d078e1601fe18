// The text shape the calendars share: year, month and day joined by the
// calendar's separator, then optionally T (or t) and a time of day.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

#include <cstdint>

namespace aeonmark {

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

// Steps over the byte before a field and reads its digit run into value;
// false when there is none. A run past 2^32 - 1 reads as UINT64_MAX, beyond
// every field's range, whatever its digits wrap to.
template <typename Text>
[[gnu::always_inline]] inline bool read_date_field(const char *&p, uint64_t &value, Text t) {
    const char *const start = ++p;
    value = decimal_run(p, t);
    if (passes_half(start, p, value)) value = UINT64_MAX;
    return p != start;
}

// Reads what may follow a date up to the end of the text: nothing, or T (or
// t), hours, a colon and minutes, then optionally a colon and seconds. False
// for any other tail; the fields of a missing part keep their values.
template <typename Text>
[[gnu::always_inline]] inline bool read_time_of_day(const char *&p, uint64_t &hour,
                                                    uint64_t &minute, uint64_t &second, Text t) {
    if (t.ends_at(p)) return true;
    if ((t.at(p) != 'T' && t.at(p) != 't') || !read_date_field(p, hour, t)) return false;
    if (t.at(p) != ':' || !read_date_field(p, minute, t)) return false;
    if (t.at(p) == ':' && !read_date_field(p, second, t)) return false;
    return t.ends_at(p);
}

// Reads year<sep>month<sep>day, optionally followed by Thh:mm or Thh:mm:ss,
// every field a run of decimal digits of any length (leading zeros allowed).
//
// READ_NOT_MINE, touching neither fields nor flag, unless the text starts
// with three digit runs joined by separator. From there on the text is this
// notation's: a bad tail is AEONMARK_MALFORMED_TIME; then month, day, hour,
// minute and second are checked in this order and the first out of its
// range gives its problem.
//
// READ_OK fills every field and flags a year whose digits exceed 2^64 - 1
// (the year is then wrapped mod 2^64); nothing else sets the flag. Inline,
// so that the record lives in its reader's registers.
template <typename Text = NulEnded>
[[gnu::always_inline]] inline ReadResult read_date_fields(DateFields &fields, const char *text,
                                                          char separator, Overflow &flag,
                                                          Text t = {}) {
    // One pass: each field is read where the shape finds it, and the values
    // are judged once the shape is whole. Only a year past 2^64 - 1 touches
    // the flag, once the text is read.
    const char *p = text;
    const uint64_t year = decimal_run(p, t);
    const char *const year_end = p;
    if (p == text || t.at(p) != separator) return READ_NOT_MINE;
    uint64_t m, d, h = 0, mi = 0, s = 0;
    if (!read_date_field(p, m, t) || t.at(p) != separator || !read_date_field(p, d, t))
        return READ_NOT_MINE;
    // Year, month and day are in place: whatever follows is this notation's.
    if (!read_time_of_day(p, h, mi, s, t)) return AEONMARK_MALFORMED_TIME;

    if (m < 1 || m > 12) return AEONMARK_MONTH_OUT_OF_RANGE;
    if (d < 1 || d > 31) return AEONMARK_DAY_OUT_OF_RANGE;
    if (h > 23) return AEONMARK_HOUR_OUT_OF_RANGE;
    if (mi > 59) return AEONMARK_MINUTE_OUT_OF_RANGE;
    if (s > 59) return AEONMARK_SECOND_OUT_OF_RANGE;
    flag.set |= passes_wide(text, year_end);
    fields = {year >> 32,
              year & HALF_MASK,
              static_cast<uint32_t>(m),
              static_cast<uint32_t>(d),
              static_cast<uint32_t>(h),
              static_cast<uint32_t>(mi),
              static_cast<uint32_t>(s)};
    return READ_OK;
}

// Calendar date text starts with a run of digits and the calendar's
// separator: the readers test it first, so that they refuse the texts of
// other notations at once.
template <typename Text>
inline bool may_be_date(const char *text, char separator, Text t) {
    const char *p = text;
    while (is_decimal_digit(t.at(p))) ++p;
    return p != text && t.at(p) == separator;
}

// The fields' time of day in seconds since midnight, 0 to 86399.
inline uint32_t second_of_day(const DateFields &f) {
    return f.hour * 3600 + f.minute * 60 + f.second;
}

// Whether the day lies within its month, as the calendar's month lengths
// (twelve entries) give it.
inline bool day_in_month(const DateFields &f, const uint8_t *lengths) {
    return f.day <= lengths[f.month - 1];
}

} // namespace aeonmark
