// Program name and option groups.
#include "main/front_end.h"

#include "main/program.h"

namespace aeonmark {

void set_program_name(const char *invocation) {
    if (invocation == nullptr) return; // keeps the default name
    // A / anywhere wins over any backslash. One pass rather than two library
    // calls: every C library function the program calls is bound at start-up.
    const char *after_slash = nullptr;
    const char *after_backslash = nullptr;
    for (const char *p = invocation; *p != '\0'; ++p) {
        if (*p == '/') after_slash = p + 1;
        if (*p == '\\') after_backslash = p + 1;
    }
    const char *name = after_slash ? after_slash : after_backslash ? after_backslash : invocation;
    if (*name != '\0') program_name = name;
}

int parse_options(int argc, char *const argv[], LineFormat &format) {
    unsigned rows = 0;
    int digits = DEFAULT_DIGITS;
    bool letter_given = false;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const char *p = argv[i] + 1;
        if (*p == '\0') continue; // "-" alone selects nothing
        for (; *p != '\0'; ++p) {
            const unsigned row = row_bit(*p);
            if (row == 0) {
                const char option[3] = {'-', *p, '\0'};
                report("bad option", option);
                return -1;
            }
            rows |= row;
            if (*p == 's' && p[1] >= '0' && p[1] - '0' <= MAX_DIGITS) digits = *++p - '0';
        }
        letter_given = true;
    }
    if (!letter_given) rows = row_bit(format_table[0].letter);
    format = line_format(rows, digits);
    return i;
}

} // namespace aeonmark
