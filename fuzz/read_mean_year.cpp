// Any bytes: the mean-year reader keeps the TimePoint's halves within 32
// bits, leaves it alone unless it accepts, and every clean read writes back
// to the same fields, which read again to an instant no later than the first.
#include "calendar/mean_year.h"
#include "fuzz_text.h"
#include "wide/wide.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp{1, 2, 3};
    const int result = read_mean_year(in.text, tp);
    if (result == READ_OK) {
        if (tp.sec_hi > HALF_MASK || tp.sec_lo > HALF_MASK || tp.frac > HALF_MASK) abort();
        if (errno == 0) {
            const std::string text = write_mean_year(tp);
            TimePoint back{};
            if (errno != 0 || read_mean_year(text.c_str(), back) != READ_OK || errno != 0) abort();
            // The written text is the same nominal second, so it reads to the same instant.
            if (back.sec_hi != tp.sec_hi || back.sec_lo != tp.sec_lo || back.frac != tp.frac)
                abort();
        } else if (errno != ERANGE) {
            abort();
        }
    } else if ((result != READ_NOT_MINE && result != READ_FAILED) || tp.sec_hi != 1 ||
               tp.sec_lo != 2 || tp.frac != 3) {
        abort(); // an unknown result, or a TimePoint touched without READ_OK
    }
    return 0;
}
