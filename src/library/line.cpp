// The rows a line holds, from the command line's selection or from letters.
#include "library/line.h"

namespace aeonmark {

LineFormat line_format(const bool (&selected)[NOTATIONS], int digits) {
    LineFormat format{};
    Writer *writer = format.writers;
    for (int row = 0; row < NOTATIONS; ++row)
        if (selected[row]) *writer++ = format_table[row].writer;
    *writer = nullptr;
    format.digits = digits;
    return format;
}

aeonmark_problem line_format_of(const char *letters, int digits, LineFormat &format) {
    bool selected[NOTATIONS] = {};
    if (letters == nullptr || *letters == '\0') return AEONMARK_BAD_NOTATIONS;
    for (const char *p = letters; *p != '\0'; ++p) {
        const FormatEntry *row = format_of(*p);
        if (row == nullptr) return AEONMARK_BAD_NOTATIONS;
        selected[row - format_table] = true;
    }
    if (digits < 0 || digits > MAX_DIGITS) return AEONMARK_BAD_DIGITS;
    format = line_format(selected, digits);
    return AEONMARK_OK;
}

} // namespace aeonmark
