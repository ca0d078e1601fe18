// Turns fuzzer bytes into the NUL-terminated argument a reader expects.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

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
        errno = 0; // every reader starts with the flag as the front end leaves it
    }
    ~FuzzText() { delete[] text; }
    FuzzText(const FuzzText &) = delete;
    FuzzText &operator=(const FuzzText &) = delete;
};
