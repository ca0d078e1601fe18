// Any bytes: the aeonmark reader claims only text made of its own characters,
// keeps the reader contract, and an instant read cleanly writes at full
// precision to text that reads back to that very instant.
#include "aeonmark/aeonmark.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp = UNTOUCHED;
    const ReadResult result = read_aeonmark(in.text, tp);
    counted_agrees(read_aeonmark, data, size, result, tp);
    if (result != READ_NOT_MINE && in.text[0] != '[') abort();
    if (result == READ_OK && in.text[strspn(in.text, "[-]0123456789.")] != '\0') abort();
    if (clean_read(result, tp)) {
        TimePoint back{};
        if (read_aeonmark(written(write_aeonmark, tp, MAX_DIGITS).c_str(), back) != READ_OK ||
            back.sec_hi != tp.sec_hi || back.sec_lo != tp.sec_lo || back.frac != tp.frac)
            abort();
    }
    return 0;
}
