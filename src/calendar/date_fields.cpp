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

// A field's value; above 2^32 - 1 it is taken as UINT64_MAX, beyond every
// field's range whatever its digits wrap to.
uint64_t field_value(const char *digits) {
    const uint64_t v = read_decimal(digits, nullptr);
    return errno == ERANGE ? UINT64_MAX : v;
}

} // namespace

int read_date_fields(DateFields &fields, const char *text, char separator) {
    const char *p = run_end(text);
    if (p == text || *p != separator) return READ_NOT_MINE;
    const char *const month = p + 1;
    p = run_end(month);
    if (p == month || *p != separator) return READ_NOT_MINE;
    const char *const day = p + 1;
    p = run_end(day);
    if (p == day) return READ_NOT_MINE;

    // Year, month and day are in place: whatever follows is this notation's.
    const char *hour = nullptr, *minute = nullptr, *second = nullptr;
    if (*p != '\0') {
        if (*p != 'T' && *p != 't') return fail("malformed time of day", text);
        hour = p + 1;
        p = run_end(hour);
        if (p == hour || *p != ':') return fail("malformed time of day", text);
        minute = p + 1;
        p = run_end(minute);
        if (p == minute) return fail("malformed time of day", text);
        if (*p == ':') {
            second = p + 1;
            p = run_end(second);
            if (p == second) return fail("malformed time of day", text);
        }
        if (*p != '\0') return fail("malformed time of day", text);
    }

    // Each read stops at the byte the shape found after its run. The flag,
    // clear on entry, tells each field's overflow; the year is read last, so
    // that the flag ends with its overflow alone.
    const uint64_t m = field_value(month);
    if (m < 1 || m > 12) return fail("month is out of range", text);
    const uint64_t d = field_value(day);
    if (d < 1 || d > 31) return fail("day is out of range", text);
    uint64_t h = 0, mi = 0, s = 0;
    if (hour != nullptr) {
        h = field_value(hour);
        if (h > 23) return fail("hour is out of range", text);
        mi = field_value(minute);
        if (mi > 59) return fail("minute is out of range", text);
        if (second != nullptr) {
            s = field_value(second);
            if (s > 59) return fail("second is out of range", text);
        }
    }
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
