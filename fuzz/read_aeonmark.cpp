// Any bytes: the aeonmark reader claims only text made of its own characters,
// leaves the TimePoint alone unless it accepts, keeps the halves within 32
// bits, and an instant read cleanly writes at full precision to text that
// reads back to that very instant.
#include "aeonmark/aeonmark.h"
#include "fuzz_text.h"
#include "program.h"
#include "wide/wide.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp{1, 2, 3};
    const int result = read_aeonmark(in.text, tp);
    if (result != READ_NOT_MINE && in.text[0] != '[') abort();
    if (result == READ_OK) {
        if (in.text[strspn(in.text, "[-]0123456789.")] != '\0') abort();
        if (tp.sec_hi > HALF_MASK || tp.sec_lo > HALF_MASK || tp.frac > HALF_MASK) abort();
        if (errno == 0) {
            precision = 6;
            TimePoint back{};
            if (read_aeonmark(write_aeonmark(tp), back) != READ_OK || errno != 0 ||
                back.sec_hi != tp.sec_hi || back.sec_lo != tp.sec_lo || back.frac != tp.frac)
                abort();
        }
    } else if ((result != READ_NOT_MINE && result != READ_FAILED) || tp.sec_hi != 1 ||
               tp.sec_lo != 2 || tp.frac != 3) {
        abort();
    }
    return 0;
}
