// The library's C interface: the calls of aeonmark.h on the format table's
// readers and writers, which keep nothing and leave errno alone.
#include "aeonmark.h"

#include "library/notations.h"
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <type_traits>

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

// 2^-32 s units of a count of nanoseconds (below 10^9), taken down.
constexpr uint32_t fraction_of_nanoseconds(uint64_t nanoseconds) {
    return static_cast<uint32_t>((nanoseconds << 32) / 1000000000); // < 2^62 before division
}

} // namespace
} // namespace aeonmark

// The calls name the core's parts as aeonmark::, their namespace, which
// keeps them apart from a caller's names in the static library too.
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
    default:
        return "unknown problem";
    }
}

aeonmark_problem aeonmark_read(const char *text, aeonmark_instant *instant) {
    if (text == nullptr || instant == nullptr) return AEONMARK_UNRECOGNISED;
    TimePoint tp;
    return give(claim_date(text, tp), tp, instant);
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

aeonmark_problem aeonmark_from_unix(int64_t seconds, aeonmark_instant *instant) {
    if (instant == nullptr) return AEONMARK_UNRECOGNISED;
    TimePoint tp;
    if (!from_unix_seconds(seconds, tp)) return AEONMARK_OUT_OF_RANGE;
    *instant = instant_of(tp);
    return AEONMARK_OK;
}

aeonmark_problem aeonmark_to_unix(aeonmark_instant instant, int64_t *seconds) {
    if (seconds == nullptr) return AEONMARK_UNRECOGNISED;
    return to_unix_seconds(time_point_of(instant), *seconds) ? AEONMARK_OK : AEONMARK_OUT_OF_RANGE;
}

aeonmark_problem aeonmark_now(aeonmark_instant *instant) {
    if (instant == nullptr) return AEONMARK_UNRECOGNISED;
    const SavedErrno saved;
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) return AEONMARK_CLOCK_UNREADABLE;
    TimePoint tp;
    if (!from_unix_seconds(static_cast<int64_t>(now.tv_sec), tp)) return AEONMARK_OUT_OF_RANGE;
    *instant = instant_of(tp);
    instant->fraction = fraction_of_nanoseconds(static_cast<uint64_t>(now.tv_nsec));
    return AEONMARK_OK;
}

const char *aeonmark_version(void) {
    return AEONMARK_VERSION;
}

} // extern "C"
