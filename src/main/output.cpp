// Standard output: one line per converted date, gathered here and handed to
// stdio a block at a time, and checked once at the end so that a lost line
// is never reported as success.
#include "main/front_end.h"

#include "main/program.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace aeonmark {

namespace {

// The longest line and its newline.
constexpr size_t LONGEST_LINE = LINE_TEXT_MAX + 1;

// A write of at most PIPE_BUF bytes goes into a pipe whole, so runs that
// share one pipe never splice each other's lines: every block is whole
// lines, written at once. 4096 bytes on Linux; where the platform does not
// say, 512, the least any POSIX system allows.
#ifdef PIPE_BUF
constexpr size_t OUTPUT_BLOCK = PIPE_BUF;
#else
constexpr size_t OUTPUT_BLOCK = _POSIX_PIPE_BUF;
#endif

char pending[OUTPUT_BLOCK];
size_t pending_size = 0;
static_assert(sizeof pending >= LONGEST_LINE);
#ifdef PIPE_BUF
static_assert(sizeof pending <= PIPE_BUF, "a block reaches a pipe whole only up to PIPE_BUF");
#endif

// What every line holds, as the options chose it.
LineFormat format_of_lines;

// Why standard output first failed; 0 while it has not.
int write_errno = 0;

void note_write_error(int error) {
    if (write_errno == 0) write_errno = error != 0 ? error : EIO;
}

} // namespace

void start_output(const LineFormat &format) {
    // One fwrite is one write only while the stream holds no buffer of its own.
    setvbuf(stdout, nullptr, _IONBF, 0);
    format_of_lines = format;
}

void print_line(const TimePoint &tp) {
    if (sizeof pending - pending_size < LONGEST_LINE) flush_output();
    // The options select row s when they name none, so at least one text
    // stands on the line, laid out in its place in the block.
    char *p = write_line(tp, format_of_lines, pending + pending_size);
    *p++ = '\n';
    pending_size = static_cast<size_t>(p - pending);
}

// Standard output is unbuffered, so each block is one write. Once a write
// has failed, what is left is reported at the end, not retried.
void flush_output() {
    errno = 0;
    if (pending_size != 0 && !ferror(stdout) &&
        fwrite(pending, 1, pending_size, stdout) != pending_size)
        note_write_error(errno);
    pending_size = 0;
}

bool finish_output(StdoutAtEnd at_end) {
    flush_output();
    // A descriptor that was never open loses nothing unless a write failed.
    // Nothing is pending now, so the report's flush leaves a closed stream
    // alone.
    errno = 0;
    if (at_end == StdoutAtEnd::CLOSE && fclose(stdout) != 0 && errno != EBADF)
        note_write_error(errno);
    const int error = write_errno;
    if (error == 0) return true;
    // Reported once: a run that follows starts with nothing lost.
    write_errno = 0;
    if (at_end == StdoutAtEnd::KEEP_OPEN) clearerr(stdout);
    report("write error", strerror(error));
    return false;
}

} // namespace aeonmark
