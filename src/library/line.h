// The line of several notations, as the command line prints it and
// aeonmark_write_line writes it: the text of each chosen notation in table
// order, joined by single spaces.
#pragma once

#include "library/notations.h"

#include <cstddef>

namespace aeonmark {

// What every text of a line is: the writers of the chosen rows in table
// order, then a null, and the aeonmark fraction digits (0 to 6).
struct LineFormat {
    Writer writers[NOTATIONS + 1];
    int digits;
};

// Every text and a space between each: the longest line, no terminator.
constexpr size_t LINE_TEXT_MAX = size_t{NOTATIONS} * (WRITER_TEXT_MAX + 1) - 1;
static_assert(LINE_TEXT_MAX + 1 == AEONMARK_LINE_MAX);

// The format of the rows chosen by rows, bit n for the table's row n.
LineFormat line_format(unsigned rows, int digits);

// The format of letters, any of the notations' letters in any order (each
// row once however often its letter comes), and digits:
// AEONMARK_BAD_NOTATIONS for no letter, a null or any other byte, then
// AEONMARK_BAD_DIGITS for digits outside 0 to 6; else AEONMARK_OK.
aeonmark_problem line_format_of(const char *letters, int digits, LineFormat &format);

// Lays out the line of tp in format, which chooses at least one row, at out:
// at most LINE_TEXT_MAX bytes, no terminator. Returns the position after it.
// Each text is laid out in its place, with no copy.
inline char *write_line(const TimePoint &tp, const LineFormat &format, char *out) {
    char *p = format.writers[0](tp, format.digits, out);
    for (const Writer *writer = format.writers + 1; *writer != nullptr; ++writer) {
        *p++ = ' ';
        p = (*writer)(tp, format.digits, p);
    }
    return p;
}

} // namespace aeonmark
