// The program's name and the one message shape.
#pragma once

namespace aeonmark {

// The name every message begins with, taken from the invocation name.
extern const char *program_name;

// Prints "<program_name>: <problem>: <argument>\n" on standard error.
void report(const char *problem, const char *argument);

} // namespace aeonmark
