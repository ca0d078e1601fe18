// How a reader walks its text: from its first byte up to an end it never
// reads past. The command line's arguments end at their NUL; the library's
// aeonmark_read_n is given a length, and then a NUL is a byte like any
// other, which no notation takes. Each reader is written once over both.
#pragma once

namespace aeonmark {

// A text ended by its NUL.
struct NulEnded {
    // Whether the text ends at p.
    static bool ends_at(const char *p) { return *p == '\0'; }
    // The byte at p, or '\0' where the text ends, a byte no notation takes:
    // a test of a byte's class is never passed at the end.
    static char at(const char *p) { return *p; }
};

// A text of a given length: its end is end, which is never read.
struct Counted {
    const char *end;
    bool ends_at(const char *p) const { return p == end; }
    char at(const char *p) const { return p != end ? *p : '\0'; }
};

} // namespace aeonmark
