// Calendar date text split into checked fields: the shape first, so that a
// text with both a bad tail and a bad value is reported for its tail.
#include "calendar/date_fields.h"

#include "program.h"
#include "time_point.h"

#include <cerrno>

namespace {

// The end of the digit run at p; p itself when there is none.
const char *run_end(const char *p) {
    while (is_decimal_digit(*p)) ++p;
    return p;
}

int fail(const char *problem, const char *text) {
    report(problem, text);
    return READ_FAILED;
}

// Reads the digit run at p into value and moves p past it; false when there
// is none. Once a run has passed 2^32 - 1, the flag is set and this and every
// later field read as UINT64_MAX, beyond every field's range: the checks, in
// order, fail at that run at the latest, whatever its digits wrap to.
bool read_field(const char *&p, uint64_t &value) {
    const char *const start = p;
    value = read_decimal(start, &p);
    if (errno == ERANGE) value = UINT64_MAX;
    return p != start;
}

// Not this notation's after all: a field read on the way may have set the
// flag, which a reader that refuses a text leaves as it found it, clear.
int not_mine() {
    errno = 0;
    return READ_NOT_MINE;
}

} // namespace

int read_date_fields(DateFields &fields, const char *text, char separator) {
    // One pass: each field is read where the shape finds it, and the values
    // are judged once the shape is whole. The year is read last, so that the
    // flag then holds its overflow alone.
    const char *p = run_end(text);
    if (p == text || *p != separator) return READ_NOT_MINE;
    uint64_t m, d, h = 0, mi = 0, s = 0;
    if (!read_field(++p, m) || *p != separator || !read_field(++p, d)) return not_mine();
    // Year, month and day are in place: whatever follows is this notation's.
    if (*p != '\0' && ((*p != 'T' && *p != 't') || !read_field(++p, h) || *p != ':' ||
                        !read_field(++p, mi) || (*p == ':' && !read_field(++p, s)) || *p != '\0'))
        return fail("malformed time of day", text);

    if (m < 1 || m > 12) return fail("month is out of range", text);
    if (d < 1 || d > 31) return fail("day is out of range", text);
    if (h > 23) return fail("hour is out of range", text);
    if (mi > 59) return fail("minute is out of range", text);
    if (s > 59) return fail("second is out of range", text);
    const Wide year = read_wide_digits(text, nullptr, 10);
    fields = {year.hi,
              year.lo,
              static_cast<uint32_t>(m),
              static_cast<uint32_t>(d),
              static_cast<uint32_t>(h),
              static_cast<uint32_t>(mi),
              static_cast<uint32_t>(s)};
    return READ_OK;
}

int check_day_of_month(const DateFields &f, const uint8_t *lengths, const char *text) {
    return f.day <= lengths[f.month - 1] ? READ_OK : fail("day is out of range", text);
}
