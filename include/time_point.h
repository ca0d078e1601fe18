// An instant, and the contract between the front end and every notation.
#pragma once

#include <cstdint>

// Seconds since 0001-01-01T00:00:00 of the proleptic Julian calendar (the epoch)
// as two 32-bit halves, plus the part of a second in units of 2^-32 s.
// Each field holds at most 2^32 - 1.
struct TimePoint {
    uint64_t sec_hi;
    uint64_t sec_lo;
    uint64_t frac;
};

// Reader results. A reader that returns READ_FAILED has printed its own message.
constexpr int READ_NOT_MINE = 0;
constexpr int READ_OK = 1;
constexpr int READ_FAILED = 2;

// The out-of-range flag is errno, set to ERANGE when a value does not fit.
// Only the front end's claim of a text (claim_date) clears it, before it
// offers the text to each reader; readers take it clear and only ever set it,
// so that any overflow on the way is still set when the reader returns.
// (Tests and fuzz targets that hand a reader a text themselves clear it as
// the claim would. The code that reads the C library's own errors from errno,
// those of the clock and of standard output, clears it too, but never
// between a reader and the test of its flag.)

// A reader takes the whole argument and fills all three fields on READ_OK,
// setting the flag when the instant does not fit. The text ends with its
// terminator, so a byte found not to be the terminator has another after
// it: a reader may look one byte past it.
//
// Every text is offered to the readers in table order and most refuse it, so
// each reader starts with a cheap test of the text's opening. Where the rest
// of its work is long, that rest lies out of line, as read_<notation>_rest:
// a text of another notation then costs a few instructions and none of the
// rest's set-up.
using Reader = int (*)(const char *text, TimePoint &tp);

// A writer never fails and never touches the flag; its text, of at most
// WRITER_TEXT_MAX characters, lives in a static buffer of the notation,
// valid until that buffer is written again.
using Writer = const char *(*)(const TimePoint &tp);
constexpr int WRITER_TEXT_MAX = 35;
