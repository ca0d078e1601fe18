// Any bytes, read through the library as the command line claims a date:
// aeonmark_read gives the verdict of the first notation that claims the
// text, leaves the instant and errno alone unless it reads it, and
// aeonmark_read_n the same over the bytes as they lie; an instant read is
// written in every notation, as much as a buffer holds.
#include "aeonmark.h"
#include "fuzz_text.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr aeonmark_instant MARK{0x123456789, 42};

bool marked(const aeonmark_instant &instant) {
    return instant.seconds == MARK.seconds && instant.fraction == MARK.fraction;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FuzzText in(data, size);
    const int digits = size > 0 ? data[0] % 7 : 2;
    errno = EDOM; // any value of the caller's
    aeonmark_instant instant = MARK;
    const aeonmark_problem problem = aeonmark_read(in.text, &instant);
    if (errno != EDOM || (problem != AEONMARK_OK && !marked(instant))) abort();
    if (*aeonmark_problem_text(problem) == '\0' && problem != AEONMARK_OK) abort();

    // The one notation that claims the text by itself, if any, gives the
    // verdict: no text is claimed by two.
    int claims = 0;
    for (const char notation : {'s', 'j', 'g', 'q', 'u'}) {
        aeonmark_instant alone = MARK;
        const aeonmark_problem verdict = aeonmark_read_notation(notation, in.text, &alone);
        if (verdict == AEONMARK_UNRECOGNISED) continue;
        if (++claims > 1 || verdict != problem || alone.seconds != instant.seconds ||
            alone.fraction != instant.fraction)
            abort();
    }
    if (claims == 0 && problem != AEONMARK_UNRECOGNISED) abort();

    // The bytes as they lie, read in place: the notation that claimed them
    // named, and without a NUL among them the same verdict and instant.
    char claimer = '?';
    aeonmark_instant counted = MARK;
    const aeonmark_problem counted_problem =
        aeonmark_read_n(reinterpret_cast<const char *>(data), size, &counted, &claimer);
    if ((claimer == '\0') != (counted_problem == AEONMARK_UNRECOGNISED) ||
        (counted_problem != AEONMARK_OK && !marked(counted)))
        abort();
    if (memchr(data, 0, size) != nullptr
            ? counted_problem == AEONMARK_OK
            : counted_problem != problem || counted.seconds != instant.seconds ||
                  counted.fraction != instant.fraction)
        abort();

    if (problem == AEONMARK_OK) {
        // The line of the notations that the first byte's bits choose: their
        // texts joined by spaces, as much as a buffer holds.
        std::string letters, joined;
        for (int row = 0; row < 6; ++row) {
            if ((data[0] >> row & 1) == 0 && !(row == 5 && letters.empty())) continue;
            char text[AEONMARK_TEXT_MAX];
            aeonmark_write(instant, AEONMARK_NOTATIONS[row], digits, text, sizeof text);
            letters.insert(letters.begin(), AEONMARK_NOTATIONS[row]); // in any order
            joined += (joined.empty() ? "" : " ") + std::string(text);
        }
        char line[AEONMARK_LINE_MAX];
        const size_t line_room = size > 1 ? data[1] % (joined.size() + 2) : 0;
        size_t line_length = 0;
        if (aeonmark_write_line(instant, letters.c_str(), digits, line, line_room, &line_length) !=
                AEONMARK_OK ||
            line_length != joined.size() ||
            (line_room > 0 && line != joined.substr(0, line_room - 1)))
            abort();

        for (const char notation : {'s', 'j', 'g', 'q', 'u', 'x'}) {
            char text[AEONMARK_TEXT_MAX];
            const size_t length = aeonmark_write(instant, notation, digits, text, sizeof text);
            const size_t room = size > 1 ? data[1] % (length + 2) : 0; // often too small
            char cut[AEONMARK_TEXT_MAX];
            if (length == 0 || length >= sizeof text || strlen(text) != length ||
                aeonmark_write(instant, notation, digits, cut, room) != length ||
                (room > 0 && strncmp(cut, text, room - 1) != 0) ||
                (room > 0 && strlen(cut) != (room - 1 < length ? room - 1 : length)))
                abort();
        }
    }
    return 0;
}
