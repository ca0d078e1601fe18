// Process-wide settings and the one message shape.
#include "program.h"

#include "main/front_end.h"

#include <cstdio>

const char *program_name = "aeonmark";
int precision = DEFAULT_PRECISION;

void report(const char *problem, const char *argument) {
    // The lines of earlier arguments go out first, so that a file holding
    // both streams reads in argument order.
    flush_output();
    fprintf(stderr, "%s: %s: %s\n", program_name, problem, argument);
}
