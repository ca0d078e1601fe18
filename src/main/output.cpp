// Standard output: one line per converted date, checked once at the end so
// that a lost line is never reported as success.
#include "main/front_end.h"

#include "program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Why standard output first failed; 0 while it has not.
int write_errno = 0;

} // namespace

void print_line(const TimePoint &tp) {
    bool first = true;
    for (const FormatEntry *row = format_table; row->letter != '\0'; ++row) {
        if (!row->selected) continue;
        if (!first) putchar(' ');
        first = false;
        // Writers share buffers: each text goes out before the next writer runs.
        fputs(row->writer(tp), stdout);
    }
    if (putchar('\n') == EOF && write_errno == 0) write_errno = errno;
}

bool finish_output() {
    errno = 0;
    const bool flushed = fflush(stdout) == 0;
    if (flushed && !ferror(stdout)) return true;
    if (!flushed || write_errno == 0) write_errno = errno;
    report("write error", strerror(write_errno != 0 ? write_errno : EIO));
    return false;
}
