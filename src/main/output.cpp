// Standard output: one line per converted date, gathered here and handed to
// stdio a block at a time, and checked once at the end so that a lost line
// is never reported as success.
#include "main/front_end.h"

#include "program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>

namespace {

// Every text, a space or newline after each: the longest line.
constexpr size_t LONGEST_LINE = size_t{NOTATIONS} * (WRITER_TEXT_MAX + 1);

char pending[8192];
size_t pending_size = 0;
static_assert(sizeof pending >= LONGEST_LINE);

// The writers of the selected rows in table order, then a null.
Writer line_writers[NOTATIONS + 1];

// Why standard output first failed; 0 while it has not.
int write_errno = 0;

void note_write_error(int error) {
    if (write_errno == 0) write_errno = error != 0 ? error : EIO;
}

// Once a write has failed, what is left is reported at the end, not retried.
void write_pending() {
    errno = 0;
    if (pending_size != 0 && !ferror(stdout) &&
        fwrite(pending, 1, pending_size, stdout) != pending_size)
        note_write_error(errno);
    pending_size = 0;
}

} // namespace

void start_output() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    Writer *writer = line_writers;
    for (const FormatEntry &row : std::span(format_table, NOTATIONS))
        if (row.selected) *writer++ = row.writer;
    *writer = nullptr; // a later, smaller selection ends here too
}

void print_line(const TimePoint &tp) {
    if (sizeof pending - pending_size < LONGEST_LINE) write_pending();
    char *p = pending + pending_size;
    for (const Writer *writer = line_writers; *writer != nullptr; ++writer) {
        // Writers share buffers: each text is copied before the next writer runs.
        const char *const text = (*writer)(tp);
        const size_t length = strlen(text);
        memcpy(p, text, length);
        p += length;
        *p++ = ' ';
    }
    p[-1] = '\n'; // in place of the space after the last text: one is always selected
    pending_size = static_cast<size_t>(p - pending);
}

void flush_output() {
    write_pending();
    if (!ferror(stdout) && fflush(stdout) != 0) note_write_error(errno);
}

bool finish_output() {
    flush_output();
    if (ferror(stdout)) note_write_error(errno);
    if (write_errno == 0) return true;
    report("write error", strerror(write_errno));
    return false;
}
