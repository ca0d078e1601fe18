// Any bytes: the first picks the calendar (odd, as in g: Gregorian; even, as
// in j: Julian), the rest is the text. The reader keeps the TimePoint's
// halves within 32 bits, leaves it alone unless it accepts, and every clean
// read writes back, in either calendar, to text that reads to the same second.
#include "calendar/julian_gregorian.h"
#include "fuzz_text.h"

#include <string>

namespace {

void round_trip(const TimePoint &tp, Writer write, Reader read) {
    const std::string text = written(write, tp, 0);
    TimePoint back{};
    if (read(text.c_str(), back) != READ_OK || back.sec_hi != tp.sec_hi ||
        back.sec_lo != tp.sec_lo || back.frac != 0)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    const bool gregorian = data[0] & 1;
    const FuzzText in(data + 1, size - 1);
    TimePoint tp = UNTOUCHED;
    const ReadResult result = gregorian ? read_gregorian(in.text, tp) : read_julian(in.text, tp);
    counted_agrees(gregorian ? CountedReader{read_gregorian} : CountedReader{read_julian}, data + 1,
                   size - 1, result, tp);
    if (result == READ_OK && tp.frac != 0) abort();
    if (clean_read(result, tp)) {
        round_trip(tp, write_julian, read_julian);
        round_trip(tp, write_gregorian, read_gregorian);
    }
    return 0;
}
