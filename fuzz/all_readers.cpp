// Any bytes, claimed as the command line claims a date; an accepted instant
// is then written in every notation.
#include "fuzz_text.h"
#include "main/front_end.h"
#include "program.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    precision = size > 0 ? data[0] % 7 : 2;
    TimePoint tp = UNTOUCHED;
    const int result = claim_date(in.text, tp);
    clean_read(result, tp);
    if (result == READ_OK) { // wrapped instants too: they are TimePoints all the same
        const int flag = errno;
        for (const FormatEntry *out = format_table; out->letter != '\0'; ++out) {
            const char *text = out->writer(tp);
            if (text == nullptr || errno != flag) abort(); // writers never touch the flag
        }
    }
    return 0;
}
