// An instant, and the contract between the format table and every notation.
#pragma once

#include "aeonmark.h"
#include "reader_text.h"

#include <cstdint>

namespace aeonmark {

// Seconds since 0001-01-01T00:00:00 of the proleptic Julian calendar (the epoch)
// as two 32-bit halves, plus the part of a second in units of 2^-32 s.
// Each field holds at most 2^32 - 1.
struct TimePoint {
    uint64_t sec_hi;
    uint64_t sec_lo;
    uint64_t frac;
};

// A reader's result is a problem of the library's: READ_OK, READ_NOT_MINE
// (the text is another notation's, or none's), or the problem that fails a
// text of its notation. Readers print nothing and keep nothing: the caller
// words the problem.
using ReadResult = aeonmark_problem;
constexpr ReadResult READ_OK = AEONMARK_OK;
constexpr ReadResult READ_NOT_MINE = AEONMARK_UNRECOGNISED;

// A reader takes the whole text: a NUL-ended one, or the bytes from begin to
// end (reader_text.h). On READ_OK it has filled all three fields. A text of
// its notation whose instant does not fit (before the epoch, past 2^64 - 1
// seconds, or a number past 2^64 - 1 on the way) is AEONMARK_OUT_OF_RANGE:
// the reader has filled the fields with the wrapped value all the same,
// which must not be written. On any other result the fields are as they
// were. A reader reads no byte past the text's end.
//
// Every text is offered to the readers in table order and most refuse it, so
// each reader starts with a cheap test of the text's opening. Where the rest
// of its work is long, that rest lies out of line, as read_<notation>_rest:
// a text of another notation then costs a few instructions and none of the
// rest's set-up.
using Reader = ReadResult (*)(const char *text, TimePoint &tp);
using CountedReader = ReadResult (*)(const char *begin, const char *end, TimePoint &tp);

// A writer lays out the text of tp at out, at most WRITER_TEXT_MAX bytes
// and no terminator, and returns the position after it. It never fails and
// keeps nothing. digits (0 to 6) is the number of aeonmark fraction digits;
// the other notations ignore it.
using Writer = char *(*)(const TimePoint &tp, int digits, char *out);
constexpr int WRITER_TEXT_MAX = AEONMARK_TEXT_MAX - 1;
constexpr int MAX_DIGITS = AEONMARK_DIGITS_MAX; // of an aeonmark fraction: millionths of a count

} // namespace aeonmark
