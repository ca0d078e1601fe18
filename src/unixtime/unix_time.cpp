// Unix time both ways: one wide addition or subtraction of Unix time 0.
#include "unixtime/unix_time.h"

namespace aeonmark {

namespace {

// The longest text is U18446744011573782015: U and 20 decimal digits. A
// minus sign comes only with 11 digits or 9 hex digits, 0x only with 16.
constexpr int UNIX_TEXT_MAX = 21;
static_assert(UNIX_TEXT_MAX <= WRITER_TEXT_MAX);

// The whole seconds of tp (the floor of its Unix time) in base 10, or in
// base 16 after 0x.
char *write_unix_time(const TimePoint &tp, unsigned base, char *out) {
    // The fraction is dropped, so a minus sign never precedes a zero.
    const Wide secs = seconds_of(tp);
    const bool negative = wide_join(secs) < wide_join(UNIX_EPOCH);
    const Wide magnitude = negative ? wide_sub(UNIX_EPOCH, secs) : wide_sub(secs, UNIX_EPOCH);
    char *p = out;
    *p++ = 'U';
    if (negative) *p++ = '-';
    if (base == 16) {
        *p++ = '0';
        *p++ = 'x';
    }
    return put_digits(p, wide_join(magnitude), base, 1);
}

template <typename Text>
[[gnu::always_inline]] inline ReadResult read_unix(const char *text, Text t, TimePoint &tp) {
    const char *p = text;
    if (t.at(p) != 'U' && t.at(p) != 'u') return READ_NOT_MINE;
    ++p;
    const bool negative = t.at(p) == '-';
    if (negative) ++p;
    unsigned base = 10;
    if (t.at(p) == '0' && (t.at(p + 1) == 'x' || t.at(p + 1) == 'X')) {
        base = 16;
        p += 2;
    }
    // An empty count (U, U-, U0x) or a stray sign or space is not a date.
    const char *const digits = p;
    Overflow flag;
    const Wide count = read_wide_digits(p, &p, base, flag, t);
    if (p == digits || !t.ends_at(p)) return AEONMARK_MALFORMED_UNIX;
    tp = time_point(
        negative ? wide_sub(UNIX_EPOCH, count, flag) : wide_add(UNIX_EPOCH, count, flag), 0);
    return read_result(flag);
}

} // namespace

ReadResult read_unix_time(const char *text, TimePoint &tp) {
    return read_unix(text, NulEnded{}, tp);
}

ReadResult read_unix_time(const char *begin, const char *end, TimePoint &tp) {
    return read_unix(begin, Counted{end}, tp);
}

char *write_unix_decimal(const TimePoint &tp, int /*digits*/, char *out) {
    return write_unix_time(tp, 10, out);
}

char *write_unix_hex(const TimePoint &tp, int /*digits*/, char *out) {
    return write_unix_time(tp, 16, out);
}

bool from_unix_seconds(int64_t unix_seconds, TimePoint &tp) {
    if (unix_seconds < -static_cast<int64_t>(wide_join(UNIX_EPOCH))) return false;
    // Mod 2^64 this adds a negative count too; the sum lies below 2^64.
    tp = time_point(wide_split(wide_join(UNIX_EPOCH) + static_cast<uint64_t>(unix_seconds)), 0);
    return true;
}

bool to_unix_seconds(const TimePoint &tp, int64_t &unix_seconds) {
    const uint64_t secs = wide_join(seconds_of(tp));
    const uint64_t epoch = wide_join(UNIX_EPOCH);
    if (secs < epoch) {
        unix_seconds = -static_cast<int64_t>(epoch - secs); // > -2^36
        return true;
    }
    if (secs - epoch > static_cast<uint64_t>(INT64_MAX)) return false;
    unix_seconds = static_cast<int64_t>(secs - epoch);
    return true;
}

} // namespace aeonmark
