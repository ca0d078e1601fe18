// The rows a line holds, from the command line's selection or from letters.
#include "library/line.h"

namespace aeonmark {

LineFormat line_format(unsigned rows, int digits) {
    LineFormat format;
    Writer *writer = format.writers;
    for (int row = 0; row < NOTATIONS; ++row)
        if ((rows >> row & 1U) != 0) *writer++ = format_table[row].writer;
    *writer = nullptr;
    format.digits = digits;
    return format;
}

aeonmark_problem line_format_of(const char *letters, int digits, LineFormat &format) {
    unsigned rows = 0;
    for (const char *p = letters != nullptr ? letters : ""; *p != '\0'; ++p) {
        const unsigned row = row_bit(*p);
        if (row == 0) return AEONMARK_BAD_NOTATIONS;
        rows |= row;
    }
    if (rows == 0) return AEONMARK_BAD_NOTATIONS;
    if (digits < 0 || digits > MAX_DIGITS) return AEONMARK_BAD_DIGITS;
    format = line_format(rows, digits);
    return AEONMARK_OK;
}

} // namespace aeonmark
