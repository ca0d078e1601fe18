// The command line front end: options, the format table, the output line.
#pragma once

#include "time_point.h"

#include <cstdint>

// One notation as the front end knows it.
struct FormatEntry {
    char letter;            // option letter; 0 ends the table
    unsigned char selected; // printed on each output line
    Reader reader;          // may be absent
    Writer writer;
};

// Rows in the order readers are tried and texts printed, then a terminator.
constexpr int NOTATIONS = 6;
extern FormatEntry format_table[NOTATIONS + 1];

// Takes the name every message begins with from the invocation name
// (null when the argument vector is empty).
void set_program_name(const char *invocation);

// Reads the option groups of argv[1..argc) into the selected rows and the
// precision, starting from none and the default. Returns the index of the
// first date argument, or -1 after printing "bad option".
int parse_options(int argc, char *const argv[]);

// Makes standard output unbuffered, as the lines are gathered here and
// handed over a block at a time, and takes the rows selected by then as
// those of every line. Comes after the options and before any output.
void start_output();

// Writes one line: the text of every selected row in table order.
void print_line(const TimePoint &tp);

// Offers text to each reader in table order, clearing the out-of-range flag
// before each: the first that does not answer READ_NOT_MINE decides, and its
// result is returned (READ_NOT_MINE when none claims the text). On READ_OK,
// errno is ERANGE when the instant does not fit.
int claim_date(const char *text, TimePoint &tp);

// Claims text and prints its line or its message; false when the argument
// failed.
bool convert_date(const char *text, TimePoint &tp);

// Fills tp with the current time; false (after a message) if the system
// clock cannot be read or lies before the first instant.
bool read_current_time(TimePoint &tp);

// Fills tp with Unix time unix_seconds, through its Gregorian text and the
// Gregorian reader; false after "current time is not a date this program
// can hold" when it lies before 0000-12-30T00:00:00. Every later int64_t
// count is held.
bool read_clock(int64_t unix_seconds, TimePoint &tp);

// Hands the lines gathered so far to standard output, keeping the first
// write error for finish_output; nothing is retried once a write has failed.
void flush_output();

// What finish_output does with standard output once all is handed over.
enum class StdoutAtEnd : uint8_t {
    CLOSE,     // the program ends: some file systems report a lost write only then
    KEEP_OPEN, // another run in the same process writes to it again
};

// Hands over what is left and closes standard output or keeps it open;
// false (after "write error") if anything written to it since the last
// finish was lost. Once it is closed nothing is written to it.
bool finish_output(StdoutAtEnd at_end);
