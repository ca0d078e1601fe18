// Program name and option groups.
#include "main/front_end.h"

#include "program.h"

#include <cstring>

void set_program_name(const char *invocation) {
    if (invocation == nullptr) return; // keeps the default name
    // A / anywhere wins over any backslash.
    const char *slash = strrchr(invocation, '/');
    if (slash == nullptr) slash = strrchr(invocation, '\\');
    const char *name = slash ? slash + 1 : invocation;
    if (*name != '\0') program_name = name;
}

int parse_options(int argc, char *const argv[]) {
    bool letter_given = false;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const char *p = argv[i] + 1;
        if (*p == '\0') continue; // "-" alone selects nothing
        for (; *p != '\0'; ++p) {
            FormatEntry *row = format_table;
            while (row->letter != '\0' && row->letter != *p) ++row;
            if (row->letter == '\0') {
                const char option[3] = {'-', *p, '\0'};
                report("bad option", option);
                return -1;
            }
            row->selected = 1;
            if (*p == 's' && p[1] >= '0' && p[1] <= '6') precision = *++p - '0';
        }
        letter_given = true;
    }
    if (!letter_given) format_table[0].selected = 1;
    return i;
}
