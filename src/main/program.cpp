// Process-wide settings and the one message shape.
#include "program.h"

#include <cstdio>

const char *program_name = "aeonmark";
int precision = 2;

void report(const char *problem, const char *argument) {
    fprintf(stderr, "%s: %s: %s\n", program_name, problem, argument);
}
