// How many random cases a property checks: its own count in the normal run,
// ten million with AEONMARK_LONG_PROPERTIES=1.
#pragma once

#include <cstdlib>
#include <cstring>

inline int property_runs(int normal) {
    const char *long_run = std::getenv("AEONMARK_LONG_PROPERTIES");
    return long_run != nullptr && std::strcmp(long_run, "1") == 0 ? 10000000 : normal;
}
