// The program's name, the one message shape, and a date argument's line or
// message.
#include "main/program.h"

#include "main/front_end.h"

#include <cstdio>

namespace aeonmark {

const char *program_name = "aeonmark";

void report(const char *problem, const char *argument) {
    // The lines of earlier arguments go out first, so that a file holding
    // both streams reads in argument order.
    flush_output();
    fprintf(stderr, "%s: %s: %s\n", program_name, problem, argument);
}

bool convert_date(const char *text, TimePoint &tp) {
    const ReadResult result = claim_date(text, tp);
    if (result == READ_OK) {
        print_line(tp);
        return true;
    }
    report(aeonmark_problem_text(result), text);
    return false;
}

} // namespace aeonmark
