// Any bytes, offered to every reader in table order as the command line
// does; an accepted instant is then written in every notation.
#include "fuzz_text.h"
#include "main/front_end.h"
#include "program.h"
#include "wide/wide.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    precision = size > 0 ? data[0] % 7 : 2;
    for (const FormatEntry *row = format_table; row->letter != '\0'; ++row) {
        errno = 0;
        if (row->reader == nullptr) continue;
        TimePoint tp{};
        const int result = row->reader(in.text, tp);
        if (result == READ_NOT_MINE) continue;
        if (result != READ_OK && result != READ_FAILED) abort();
        if (result == READ_OK) {
            if (tp.sec_hi > HALF_MASK || tp.sec_lo > HALF_MASK || tp.frac > HALF_MASK) abort();
            const int flag = errno;
            for (const FormatEntry *out = format_table; out->letter != '\0'; ++out) {
                const char *text = out->writer(tp);
                if (text == nullptr || errno != flag) abort(); // writers never touch the flag
            }
        }
        break;
    }
    return 0;
}
