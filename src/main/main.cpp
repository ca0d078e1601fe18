// aeonmark: converts each date argument, whatever its notation, into every
// notation selected on the command line.
#include "main/command_line.h"

#include <cstdlib>

int main(int argc, char *argv[]) {
    using namespace aeonmark;
    const bool ok = run_command_line(argc, argv, read_current_time);
    return finish_output(StdoutAtEnd::CLOSE) && ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
