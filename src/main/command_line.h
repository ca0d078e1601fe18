// One run of the command line, shared by the program and the web page.
#pragma once

#include "main/front_end.h"

namespace aeonmark {

// One run of the command line: the program name, the options, then each
// date argument's line or message, or with no date the current time, as
// read_now gives it. False when an option, a date or the clock failed. The
// caller ends the output (finish_output).
// Inline, so that the loop over the dates is compiled into its caller, as
// the claim, the reader and the output line are compiled into the loop.
inline bool run_command_line(int argc, char *argv[], bool (*read_now)(TimePoint &tp)) {
    set_program_name(argc > 0 ? argv[0] : nullptr);
    LineFormat format;
    const int first_date = parse_options(argc, argv, format);
    if (first_date < 0) return false;
    start_output(format);

    TimePoint tp{};
    if (first_date >= argc) {
        if (!read_now(tp)) return false;
        print_line(tp);
        return true;
    }
    bool ok = true;
    for (int i = first_date; i < argc; ++i) ok = convert_date(argv[i], tp) && ok;
    return ok;
}

} // namespace aeonmark
