// aeonmark: converts each date argument, whatever its notation, into every
// notation selected on the command line.
#include "main/front_end.h"

#include <cstdlib>

int main(int argc, char *argv[]) {
    set_program_name(argc > 0 ? argv[0] : nullptr);
    const int first_date = parse_options(argc, argv);
    if (first_date < 0) return EXIT_FAILURE;
    start_output();

    TimePoint tp{};
    bool ok = true;
    if (first_date >= argc) {
        ok = read_current_time(tp);
        if (ok) print_line(tp);
    } else {
        for (int i = first_date; i < argc; ++i) ok = convert_date(argv[i], tp) && ok;
    }
    ok = finish_output() && ok;
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
