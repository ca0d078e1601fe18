// Process-wide settings fixed by the command line, and the one message shape.
#pragma once

// The name every message begins with, taken from the invocation name.
extern const char *program_name;

// Fraction digits of aeonmark output, 0 to 6.
constexpr int DEFAULT_PRECISION = 2; // without an -s digit
extern int precision;

// Prints "<program_name>: <problem>: <argument>\n" on standard error.
void report(const char *problem, const char *argument);
