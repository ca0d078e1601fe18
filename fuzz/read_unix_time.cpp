// Any bytes: the Unix reader claims only U text, and keeps the TimePoint's
// halves within 32 bits whatever it reads.
#include "fuzz_text.h"
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp{1, 2, 3};
    const int result = read_unix_time(in.text, tp);
    const bool is_unix = in.text[0] == 'U' || in.text[0] == 'u';
    if (result == READ_NOT_MINE && is_unix) abort();
    if (result != READ_NOT_MINE && !is_unix) abort();
    if (result == READ_OK) {
        if (tp.sec_hi > HALF_MASK || tp.sec_lo > HALF_MASK || tp.frac != 0) abort();
        // A clean read writes back to text that reads to the same second.
        if (errno == 0) {
            const bool hex = strchr(in.text, 'x') || strchr(in.text, 'X');
            TimePoint back{};
            if (read_unix_time(hex ? write_unix_hex(tp) : write_unix_decimal(tp), back) !=
                    READ_OK ||
                errno != 0 || back.sec_hi != tp.sec_hi || back.sec_lo != tp.sec_lo)
                abort();
        }
    } else if (tp.sec_hi != 1 || tp.sec_lo != 2 || tp.frac != 3) {
        abort();
    }
    return 0;
}
