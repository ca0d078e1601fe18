// Standard output is checked once, at the end: a lost line must not be
// reported as success.
#include "main/front_end.h"

#include "program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool finish_output() {
    errno = 0;
    if (fflush(stdout) == 0 && !ferror(stdout)) return true;
    report("write error", strerror(errno != 0 ? errno : EIO));
    return false;
}
