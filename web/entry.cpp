// The program as the page and node call it: one run of the command line on
// arguments laid out by the caller, with the caller's clock as the current
// time, any number of times in one module; and where the library's own
// calls, which the module exports beside these, take and leave their values.
#include "aeonmark/aeonmark.h"
#include "calendar/calendar_rules.h"
#include "main/command_line.h"
#include "main/program.h"
#include "unixtime/unix_time.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <numeric>

using namespace aeonmark;

namespace {

// The arguments, each ended by a NUL, as the caller wrote them: about what
// a command line holds.
char argument_bytes[size_t{1} << 20];
// Room for the most arguments that fit, empty ones, with the name and a null.
char *argument_vector[sizeof argument_bytes + 2];
char invocation_name[] = "aeonmark";

// The caller's current time, for the run under way.
int64_t caller_clock = 0;
bool read_caller_clock(TimePoint &tp) {
    return read_clock(caller_clock, tp);
}

// One line for each boundary of the timeline, the first instant, each
// region's start and the last instant: Unix text, then the length of the
// counts that follow in days. A line holds at most 21 + 1 + 20 + 1 + 12 + 1
// bytes.
char timeline[(std::size(REGIONS) + 2) * 64];

// The values of one library call, apart from the argument space, so that a
// call made from a run's write hook changes nothing the run still reads.
// Letters or a text that their space cannot hold come in memory of their
// own, from malloc.
struct {
    aeonmark_instant instants[2]; // a call's instant, and the other one compare takes
    int64_t unix_seconds;
    uint32_t nanoseconds;
    size_t line_length;
    char claimer; // the notation that claimed the text read
    char letters[64];
    char line[AEONMARK_LINE_MAX];
    char text[size_t{1} << 16];
} call;
// For JavaScript, which reads them as 32-bit words: where each part of call
// is, and the sizes of the letters' and the text's spaces.
const uintptr_t call_places[] = {
    reinterpret_cast<uintptr_t>(&call.instants[0]),  reinterpret_cast<uintptr_t>(&call.instants[1]),
    reinterpret_cast<uintptr_t>(&call.unix_seconds), reinterpret_cast<uintptr_t>(&call.nanoseconds),
    reinterpret_cast<uintptr_t>(&call.line_length),  reinterpret_cast<uintptr_t>(&call.claimer),
    reinterpret_cast<uintptr_t>(call.letters),       sizeof call.letters,
    reinterpret_cast<uintptr_t>(call.line),          sizeof call.line,
    reinterpret_cast<uintptr_t>(call.text),          sizeof call.text,
};
// JavaScript reads and writes them through views of 64 and 32 bits, each
// value at a multiple of its size: an instant's fields at these offsets,
// the line's length as a 32-bit word.
static_assert(offsetof(aeonmark_instant, seconds) == 0 &&
              offsetof(aeonmark_instant, fraction) == 8 && alignof(aeonmark_instant) == 8 &&
              sizeof(size_t) == 4);

// The notations' letters in table order: every one, then those that read.
char readers[NOTATIONS + 1];

// n / d in decimal: exact when d, in lowest terms, has no prime factors but
// 2 and 5, as a count's length in days has; any other stops after 12 digits.
char *put_ratio(char *p, uint64_t n, uint64_t d) {
    const uint64_t common = std::gcd(n, d);
    n /= common;
    d /= common;
    p = put_digits(p, n / d, 10, 1);
    if (n % d != 0) *p++ = '.';
    for (int digits = 0; n % d != 0 && digits < 12; ++digits) {
        n = n % d * 10;
        *p++ = static_cast<char>('0' + n / d);
    }
    return p;
}

char *put_boundary(char *p, const TimePoint &tp, const Region *counts_after) {
    p = write_unix_decimal(tp, 0, p);
    if (counts_after != nullptr) {
        *p++ = ' ';
        p = put_ratio(p, counts_after->block_seconds,
                      uint64_t{counts_after->block_counts} * SECONDS_PER_DAY);
    }
    *p++ = '\n';
    return p;
}

} // namespace

extern "C" {

char *web_arguments() {
    return argument_bytes;
}
size_t web_argument_bytes() {
    return sizeof argument_bytes;
}

// Runs the command line on the first count arguments of argument_bytes, as
// main does, with Unix time clock_seconds as the current time; returns the
// exit status. Output is finished at the end of the run, a lost write
// reported as the program reports it, but never closed, so that the next run
// writes to the same streams.
int web_run(int count, int64_t clock_seconds) {
    char **argv = argument_vector;
    *argv++ = invocation_name;
    for (char *p = argument_bytes; argv <= argument_vector + count; p += strlen(p) + 1) *argv++ = p;
    *argv = nullptr;

    errno = 0;
    caller_clock = clock_seconds;
    const bool ok = run_command_line(count + 1, argument_vector, read_caller_clock);
    return finish_output(StdoutAtEnd::KEEP_OPEN) && ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The boundaries of the aeonmark regions from the region table, in time
// order, one a line: the first instant (the negative eras continue the first
// region's counts back to it), the start of each region, and the last
// instant, which alone has no count length.
const char *web_timeline() {
    char *p = put_boundary(timeline, time_point(wide_split(0), 0), &FIRST_REGION);
    for (const Region &r : REGIONS) p = put_boundary(p, time_point(r.start, 0), &r);
    p = put_boundary(p, time_point(wide_split(UINT64_MAX), HALF_MASK), nullptr);
    *p = '\0';
    return timeline;
}

const uintptr_t *web_call_places() {
    return call_places;
}

// The letters of the notations that read, in table order: readAs takes
// one of these, which the library's check of a line's letters cannot tell.
const char *web_readers() {
    char *p = readers;
    if (*p == '\0')
        for (const FormatEntry *row = format_table; row->letter != '\0'; ++row)
            if (row->reader != nullptr) *p++ = row->letter;
    return readers;
}

// The name every message of the program begins with.
const char *web_program_name() {
    return program_name;
}

} // extern "C"
