// Any bytes: the Unix reader claims only U text, keeps the reader contract,
// and a clean read writes back to text that reads to the same second.
#include "fuzz_text.h"
#include "unixtime/unix_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    TimePoint tp = UNTOUCHED;
    const ReadResult result = read_unix_time(in.text, tp);
    counted_agrees(read_unix_time, data, size, result, tp);
    const bool is_unix = in.text[0] == 'U' || in.text[0] == 'u';
    if ((result == READ_NOT_MINE) == is_unix) abort();
    if (result == READ_OK && tp.frac != 0) abort();
    if (clean_read(result, tp)) {
        const bool hex = strchr(in.text, 'x') || strchr(in.text, 'X');
        TimePoint back{};
        const std::string text = written(hex ? write_unix_hex : write_unix_decimal, tp, 0);
        if (read_unix_time(text.c_str(), back) != READ_OK || back.sec_hi != tp.sec_hi ||
            back.sec_lo != tp.sec_lo)
            abort();
    }
    return 0;
}
