// The library's C interface: the calls of aeonmark.h on the format table's
// readers and writers, which keep nothing and leave errno alone.
#include "aeonmark.h"

#include "library/line.h"
#include "library/notations.h"
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <type_traits>

// The header's version numbers as text, "1" from 1.
#define AEONMARK_DIGITS_OF(number) #number
#define AEONMARK_TEXT_OF(number) AEONMARK_DIGITS_OF(number)
static_assert(AEONMARK_VERSION_NUMBER == AEONMARK_VERSION_MAJOR * 10000 +
                                             AEONMARK_VERSION_MINOR * 100 + AEONMARK_VERSION_PATCH);

namespace aeonmark {
namespace {

// The caller's errno, given back however the call ends: the clock may
// change it.
class SavedErrno {
    int saved = errno;

  public:
    SavedErrno() = default;
    SavedErrno(const SavedErrno &) = delete;
    SavedErrno &operator=(const SavedErrno &) = delete;
    ~SavedErrno() { errno = saved; }
};

constexpr aeonmark_instant instant_of(const TimePoint &tp) {
    return {wide_join(seconds_of(tp)), static_cast<uint32_t>(tp.frac)};
}

constexpr TimePoint time_point_of(aeonmark_instant instant) {
    return time_point(wide_split(instant.seconds), instant.fraction);
}

// The instant is written only when the text was read.
aeonmark_problem give(ReadResult result, const TimePoint &tp, aeonmark_instant *instant) {
    if (result == READ_OK) *instant = instant_of(tp);
    return result;
}

// Unix time both ways for the calls of whole and of part seconds, which
// share these rather than call one another: a caller's own symbol of an
// exported name then changes no other call.
aeonmark_problem from_unix(int64_t seconds, uint32_t fraction, aeonmark_instant *instant) {
    if (instant == nullptr) return AEONMARK_UNRECOGNISED;
    TimePoint tp;
    if (!from_unix_seconds(seconds, tp)) return AEONMARK_OUT_OF_RANGE;
    *instant = instant_of(tp);
    instant->fraction = fraction;
    return AEONMARK_OK;
}

aeonmark_problem to_unix(aeonmark_instant instant, int64_t *seconds) {
    if (seconds == nullptr) return AEONMARK_UNRECOGNISED;
    return to_unix_seconds(time_point_of(instant), *seconds) ? AEONMARK_OK : AEONMARK_OUT_OF_RANGE;
}

} // namespace
} // namespace aeonmark

// The calls name the core's parts as aeonmark::, their namespace; the
// installed archive hides every name but the calls (CMakeLists.txt).
using namespace aeonmark;

extern "C" {

const char *aeonmark_problem_text(aeonmark_problem problem) {
    // A C caller may pass any int: read as one, a value the enumeration does
    // not name is no enumerator load, which C++ leaves undefined.
    std::underlying_type_t<aeonmark_problem> value;
    memcpy(&value, &problem, sizeof value);
    switch (value) {
    case AEONMARK_OK:
        return "";
    case AEONMARK_UNRECOGNISED:
        return "date format unrecognised";
    case AEONMARK_OUT_OF_RANGE:
        return "date is out of acceptable range";
    case AEONMARK_INTEGER_OUT_OF_RANGE:
        return "integer part is out of range";
    case AEONMARK_MONTH_OUT_OF_RANGE:
        return "month is out of range";
    case AEONMARK_DAY_OUT_OF_RANGE:
        return "day is out of range";
    case AEONMARK_HOUR_OUT_OF_RANGE:
        return "hour is out of range";
    case AEONMARK_MINUTE_OUT_OF_RANGE:
        return "minute is out of range";
    case AEONMARK_SECOND_OUT_OF_RANGE:
        return "second is out of range";
    case AEONMARK_MALFORMED_TIME:
        return "malformed time of day";
    case AEONMARK_MALFORMED_UNIX:
        return "malformed Unix date";
    case AEONMARK_CLOCK_UNREADABLE:
        return "cannot read the system clock";
    case AEONMARK_BAD_NOTATIONS:
        return "notations are letters of " AEONMARK_NOTATIONS;
    case AEONMARK_BAD_DIGITS:
        return "digits are 0 to 6";
    case AEONMARK_BAD_NANOSECONDS:
        return "nanoseconds are 0 to 999999999";
    default:
        return "unknown problem";
    }
}

// A NUL-ended text is read as it lies, as the command line reads its
// arguments: the verdict is the one aeonmark_read_n gives over strlen(text)
// (the fuzz target all_readers holds them to it), without the pass to
// find the end first.
aeonmark_problem aeonmark_read(const char *text, aeonmark_instant *instant) {
    if (text == nullptr || instant == nullptr) return AEONMARK_UNRECOGNISED;
    TimePoint tp;
    return give(claim_date(text, tp), tp, instant);
}

aeonmark_problem aeonmark_read_n(const char *text, size_t length, aeonmark_instant *instant,
                                 char *notation) {
    if (notation != nullptr) *notation = '\0';
    if ((text == nullptr && length != 0) || instant == nullptr) return AEONMARK_UNRECOGNISED;
    if (text == nullptr) text = ""; // the empty text, which no notation claims
    TimePoint tp;
    const FormatEntry *claimer = nullptr;
    const ReadResult result = claim_date(text, text + length, tp, claimer);
    if (notation != nullptr && claimer != nullptr) *notation = claimer->letter;
    return give(result, tp, instant);
}

aeonmark_problem aeonmark_read_notation(char notation, const char *text,
                                        aeonmark_instant *instant) {
    const FormatEntry *row = format_of(notation);
    if (row == nullptr || row->reader == nullptr || text == nullptr || instant == nullptr)
        return AEONMARK_UNRECOGNISED;
    TimePoint tp;
    return give(row->reader(text, tp), tp, instant);
}

size_t aeonmark_write(aeonmark_instant instant, char notation, int digits, char *buffer,
                      size_t size) {
    const FormatEntry *row = format_of(notation);
    if (row == nullptr || digits < 0 || digits > MAX_DIGITS) {
        if (size > 0) *buffer = '\0'; // a caller that prints it anyway prints nothing
        return 0;
    }
    const TimePoint tp = time_point_of(instant);
    if (size >= AEONMARK_TEXT_MAX) { // room for any text: written in place
        char *const end = row->writer(tp, digits, buffer);
        *end = '\0';
        return static_cast<size_t>(end - buffer);
    }
    char text[AEONMARK_TEXT_MAX];
    const auto length = static_cast<size_t>(row->writer(tp, digits, text) - text);
    if (size > 0) {
        const size_t kept = length < size ? length : size - 1;
        memcpy(buffer, text, kept);
        buffer[kept] = '\0';
    }
    return length;
}

aeonmark_problem aeonmark_write_line(aeonmark_instant instant, const char *letters, int digits,
                                     char *buffer, size_t size, size_t *length) {
    LineFormat format;
    const aeonmark_problem problem = line_format_of(letters, digits, format);
    size_t written = 0;
    if (problem == AEONMARK_OK && (size > 0 || length != nullptr)) { // else a check alone
        const TimePoint tp = time_point_of(instant);
        if (size > LINE_TEXT_MAX) { // room for any line: written in place
            written = static_cast<size_t>(write_line(tp, format, buffer) - buffer);
        } else {
            char line[LINE_TEXT_MAX];
            written = static_cast<size_t>(write_line(tp, format, line) - line);
            if (size > 0) memcpy(buffer, line, written < size ? written : size - 1);
        }
    }
    if (size > 0) buffer[written < size ? written : size - 1] = '\0';
    if (length != nullptr) *length = written;
    return problem;
}

aeonmark_problem aeonmark_from_unix(int64_t seconds, aeonmark_instant *instant) {
    return from_unix(seconds, 0, instant);
}

aeonmark_problem aeonmark_to_unix(aeonmark_instant instant, int64_t *seconds) {
    return to_unix(instant, seconds);
}

aeonmark_problem aeonmark_from_unix_ns(int64_t seconds, uint32_t nanoseconds,
                                       aeonmark_instant *instant) {
    if (nanoseconds >= NANOSECONDS_PER_SECOND) return AEONMARK_BAD_NANOSECONDS;
    return from_unix(seconds, fraction_of_nanoseconds(nanoseconds), instant);
}

aeonmark_problem aeonmark_to_unix_ns(aeonmark_instant instant, int64_t *seconds,
                                     uint32_t *nanoseconds) {
    if (nanoseconds == nullptr) return AEONMARK_UNRECOGNISED;
    const aeonmark_problem problem = to_unix(instant, seconds);
    if (problem == AEONMARK_OK) *nanoseconds = nanoseconds_of_fraction(instant.fraction);
    return problem;
}

int aeonmark_compare(aeonmark_instant a, aeonmark_instant b) {
    if (a.seconds != b.seconds) return a.seconds < b.seconds ? -1 : 1;
    if (a.fraction != b.fraction) return a.fraction < b.fraction ? -1 : 1;
    return 0;
}

aeonmark_problem aeonmark_now(aeonmark_instant *instant) {
    if (instant == nullptr) return AEONMARK_UNRECOGNISED;
    const SavedErrno saved;
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) return AEONMARK_CLOCK_UNREADABLE;
    return from_unix(static_cast<int64_t>(now.tv_sec),
                     fraction_of_nanoseconds(static_cast<uint32_t>(now.tv_nsec)), instant);
}

const char *aeonmark_version(void) {
    return AEONMARK_TEXT_OF(AEONMARK_VERSION_MAJOR) "." AEONMARK_TEXT_OF(
        AEONMARK_VERSION_MINOR) "." AEONMARK_TEXT_OF(AEONMARK_VERSION_PATCH);
}

} // extern "C"
