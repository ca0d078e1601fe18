// Turns fuzzer bytes into the NUL-terminated argument a reader expects, and
// reads them as they lie, counted.
#pragma once

#include "time_point.h"
#include "wide/wide.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// The targets name the core's parts throughout.
using namespace aeonmark;

// Arguments cannot hold a NUL: the text ends at the first one. The copy sits
// in a buffer of exactly its own size so that the sanitizer sees any read
// past the terminator.
struct FuzzText {
    char *text;
    explicit FuzzText(const uint8_t *data, size_t size) {
        const void *nul = memchr(data, 0, size);
        const size_t len =
            nul ? static_cast<size_t>(static_cast<const uint8_t *>(nul) - data) : size;
        text = new char[len + 1];
        memcpy(text, data, len);
        text[len] = '\0';
    }
    ~FuzzText() { delete[] text; }
    FuzzText(const FuzzText &) = delete;
    FuzzText &operator=(const FuzzText &) = delete;
};

// What a reader is handed, and must leave as it is unless it accepts.
constexpr TimePoint UNTOUCHED{1, 2, 3};

// The reader contract, whatever the bytes: a known result, never the
// clock's; with an instant (READ_OK, or AEONMARK_OUT_OF_RANGE and the
// wrapped one) the halves within 32 bits; otherwise the TimePoint as it was
// handed over. True for READ_OK.
inline bool clean_read(ReadResult result, const TimePoint &tp) {
    if (result == READ_OK || result == AEONMARK_OUT_OF_RANGE) {
        if (tp.sec_hi > HALF_MASK || tp.sec_lo > HALF_MASK || tp.frac > HALF_MASK) abort();
        return result == READ_OK;
    }
    if (result < READ_NOT_MINE || result >= AEONMARK_CLOCK_UNREADABLE ||
        tp.sec_hi != UNTOUCHED.sec_hi || tp.sec_lo != UNTOUCHED.sec_lo || tp.frac != UNTOUCHED.frac)
        abort();
    return false;
}

// The same reader over the fuzzer's bytes as they lie, counted: it reads
// none past them (the sanitizer sees the buffer's end), a NUL among them is
// a byte no notation takes, and without one it gives the NUL-ended text's
// verdict and instant.
inline void counted_agrees(CountedReader read, const uint8_t *data, size_t size,
                           ReadResult nul_ended, const TimePoint &nul_ended_tp) {
    const char *const text = reinterpret_cast<const char *>(data);
    TimePoint tp = UNTOUCHED;
    const ReadResult result = read(text, text + size, tp);
    const bool instant = clean_read(result, tp) || result == AEONMARK_OUT_OF_RANGE;
    if (memchr(data, 0, size) != nullptr) {
        if (instant) abort();
        return;
    }
    if (result != nul_ended ||
        (instant && (tp.sec_hi != nul_ended_tp.sec_hi || tp.sec_lo != nul_ended_tp.sec_lo ||
                     tp.frac != nul_ended_tp.frac)))
        abort();
}

// A writer's text, with the aeonmark fraction digits given.
inline std::string written(Writer writer, const TimePoint &tp, int digits) {
    char text[WRITER_TEXT_MAX];
    return {text, writer(tp, digits, text)};
}
