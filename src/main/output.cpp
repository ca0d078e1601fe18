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

void note_write_error(int error) {
    if (write_errno == 0) write_errno = error != 0 ? error : EIO;
}

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
    if (putchar('\n') == EOF) note_write_error(errno);
}

void flush_output() {
    // Once a write has failed, what is left is reported at the end, not retried.
    if (ferror(stdout)) return;
    errno = 0;
    if (fflush(stdout) != 0) note_write_error(errno);
}

bool finish_output() {
    errno = 0;
    if (fflush(stdout) != 0 || ferror(stdout)) note_write_error(errno);
    if (write_errno == 0) return true;
    report("write error", strerror(write_errno));
    return false;
}
