// One run of the command line, up to its last line.
#include "main/front_end.h"

bool run_command_line(int argc, char *argv[], bool (*read_now)(TimePoint &tp)) {
    set_program_name(argc > 0 ? argv[0] : nullptr);
    const int first_date = parse_options(argc, argv);
    if (first_date < 0) return false;
    start_output();

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
