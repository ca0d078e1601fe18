// Any bytes: the mean-year reader keeps the TimePoint's halves within 32
// bits, leaves it alone unless it accepts, and every clean read writes back
// to the same fields, which read again to the very same instant.
#include "calendar/mean_year.h"
#include "fuzz_text.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp = UNTOUCHED;
    const ReadResult result = read_mean_year(in.text, tp);
    counted_agrees(read_mean_year, data, size, result, tp);
    if (clean_read(result, tp)) {
        const std::string text = written(write_mean_year, tp, 0);
        TimePoint back{};
        if (read_mean_year(text.c_str(), back) != READ_OK) abort();
        // The written text is the same nominal second, so it reads to the same instant.
        if (back.sec_hi != tp.sec_hi || back.sec_lo != tp.sec_lo || back.frac != tp.frac) abort();
    }
    return 0;
}
