// Calendar date text split into checked fields: the shape first, so that a
// text with both a bad tail and a bad value is reported for its tail.
#include "calendar/date_fields.h"

#include "program.h"
#include "time_point.h"

namespace {

int fail(const char *problem, const char *text) {
    report(problem, text);
    return READ_FAILED;
}

} // namespace

int read_date_fields(DateFields &fields, const char *text, char separator) {
    // One pass: each field is read where the shape finds it, and the values
    // are judged once the shape is whole. Only a year past 2^64 - 1 touches
    // the flag, once the text is read.
    const char *p = text;
    const uint64_t year = decimal_run(p);
    const char *const year_end = p;
    if (p == text || *p != separator) return READ_NOT_MINE;
    // Steps over the byte before a field and reads its digit run into value;
    // false when there is none. A run past 2^32 - 1 reads as UINT64_MAX,
    // beyond every field's range, whatever its digits wrap to.
    const auto read_field = [&p](uint64_t &value) {
        const char *const start = ++p;
        value = decimal_run(p);
        if (passes_half(start, p, value)) value = UINT64_MAX;
        return p != start;
    };
    uint64_t m, d, h = 0, mi = 0, s = 0;
    if (!read_field(m) || *p != separator || !read_field(d)) return READ_NOT_MINE;
    // Year, month and day are in place: whatever follows is this notation's.
    if (*p != '\0' && ((*p != 'T' && *p != 't') || !read_field(h) || *p != ':' || !read_field(mi) ||
                       (*p == ':' && !read_field(s)) || *p != '\0'))
        return fail("malformed time of day", text);

    if (m < 1 || m > 12) return fail("month is out of range", text);
    if (d < 1 || d > 31) return fail("day is out of range", text);
    if (h > 23) return fail("hour is out of range", text);
    if (mi > 59) return fail("minute is out of range", text);
    if (s > 59) return fail("second is out of range", text);
    if (passes_wide(text, year_end)) set_out_of_range();
    fields = {year >> 32,
              year & HALF_MASK,
              static_cast<uint32_t>(m),
              static_cast<uint32_t>(d),
              static_cast<uint32_t>(h),
              static_cast<uint32_t>(mi),
              static_cast<uint32_t>(s)};
    return READ_OK;
}

int report_day_of_month(const char *text) {
    return fail("day is out of range", text);
}
