// The format table: every notation as a row, in the order readers are tried
// and texts printed, and the claim of a text by the first reader that knows
// it. The library and the command line both convert through here.
#pragma once

#include "time_point.h"

namespace aeonmark {

// One notation: its letter, its reader (absent for x) and its writer.
struct FormatEntry {
    char letter; // option letter; 0 ends the table
    Reader reader;
    Writer writer;
};

// Rows in the order readers are tried and texts printed, then a terminator.
constexpr int NOTATIONS = sizeof AEONMARK_NOTATIONS - 1;
extern const FormatEntry format_table[NOTATIONS + 1];

// The row of a notation's letter, or null for a letter that is none.
const FormatEntry *format_of(char letter);

// The bit of a notation's row, 1 << its index, or 0 for a byte that is
// no notation's letter.
unsigned row_bit(char letter);

// Offers text to each reader in table order: the first that does not answer
// READ_NOT_MINE decides; READ_NOT_MINE when none claims the text. The
// command line's, on NUL-ended arguments.
ReadResult claim_date(const char *text, TimePoint &tp);

// The same over the bytes from begin to end. *claimer is the row of the
// notation that claimed the text, whatever its verdict, or null when none
// did.
ReadResult claim_date(const char *begin, const char *end, TimePoint &tp,
                      const FormatEntry *&claimer);

} // namespace aeonmark
