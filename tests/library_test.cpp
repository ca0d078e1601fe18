// The C interface's own contracts, through the shared library: the buffer a
// writer is given, null pointers, the ends of the Unix range, an instant
// left alone on every problem, and the clock. What a text reads as is the
// end-to-end tables' to say.
#include "aeonmark.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <tuple>
#include <utility>

extern "C" const char *problem_text_of(int value); // any_problem.c

namespace {

constexpr int64_t FIRST_UNIX = -62135769600; // the first instant's Unix time
constexpr aeonmark_instant MARK{12345, 678};

bool marked(const aeonmark_instant &i) {
    return i.seconds == MARK.seconds && i.fraction == MARK.fraction;
}

// Every size around the text's length writes as snprintf does: the text cut
// to size - 1 bytes and a NUL, and not a byte past the size.
TEST(Library, WriteFillsOnlyWhatItIsGiven) {
    for (const aeonmark_instant instant : {aeonmark_instant{0, 0}, aeonmark_instant{~0ULL, ~0U}}) {
        for (const char notation : std::string("sjgqux")) {
            char full[AEONMARK_TEXT_MAX];
            const size_t length = aeonmark_write(instant, notation, 6, full, sizeof full);
            ASSERT_EQ(length, strlen(full)) << notation;
            EXPECT_EQ(aeonmark_write(instant, notation, 6, nullptr, 0), length);
            for (const size_t size : {size_t{1}, length - 1, length, length + 1}) {
                char out[AEONMARK_TEXT_MAX + 1];
                memset(out, '#', sizeof out);
                EXPECT_EQ(aeonmark_write(instant, notation, 6, out, size), length);
                const size_t kept = size - 1 < length ? size - 1 : length;
                EXPECT_EQ(std::string(out, kept), std::string(full, kept)) << notation << size;
                EXPECT_EQ(out[kept], '\0') << notation << size;
                EXPECT_EQ(out[size], '#') << "a byte past the size: " << notation << size;
            }
        }
    }
    // An unknown notation or digits: nothing to write, an empty text.
    for (const auto &[notation, digits] : {std::pair{'S', 2}, {'\0', 2}, {'g', -1}, {'s', 7}}) {
        for (const size_t size : {size_t{1}, size_t{8}}) {
            char out[8] = "old";
            EXPECT_EQ(aeonmark_write(MARK, notation, digits, out, size), 0U) << notation;
            EXPECT_STREQ(out, "") << notation << digits << size;
        }
    }
}

// No problem writes the instant; a null pointer or a notation that reads
// nothing is a problem, not a crash.
TEST(Library, ProblemsLeaveTheInstantAlone) {
    aeonmark_instant i = MARK;
    int64_t seconds = 7;
    EXPECT_EQ(aeonmark_read("U-62135769601", &i), AEONMARK_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_read("2000-02-30", &i), AEONMARK_DAY_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_from_unix(FIRST_UNIX - 1, &i), AEONMARK_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_from_unix(INT64_MIN, &i), AEONMARK_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_to_unix({~0ULL, 0}, &seconds), AEONMARK_OUT_OF_RANGE);
    for (const aeonmark_problem unrecognised :
         {aeonmark_read(nullptr, &i), aeonmark_read_notation('g', "U0", &i),
          aeonmark_read_notation('x', "U0x0", &i), aeonmark_read_notation('u', nullptr, &i),
          aeonmark_read("U0", nullptr), aeonmark_read_notation('s', "[0]0", nullptr),
          aeonmark_read_n(nullptr, 2, &i, nullptr), aeonmark_from_unix_ns(0, 0, nullptr),
          aeonmark_from_unix(0, nullptr), aeonmark_to_unix(MARK, nullptr), aeonmark_now(nullptr)})
        EXPECT_EQ(unrecognised, AEONMARK_UNRECOGNISED);
    EXPECT_TRUE(marked(i));
    EXPECT_EQ(seconds, 7);
    // Past the last, past the enumeration's bits, and below 0: the
    // sanitizers see each as a plain int.
    for (const int value : {AEONMARK_BAD_NANOSECONDS + 1, 16, 99, -1})
        EXPECT_STREQ(problem_text_of(value), "unknown problem") << value;
    EXPECT_STREQ(aeonmark_problem_text(AEONMARK_OK), "");
}

// Unix time both ways at the ends of int64_t and of the instants.
TEST(Library, UnixSecondsAtTheEnds) {
    const uint64_t epoch = static_cast<uint64_t>(-FIRST_UNIX);
    const struct {
        int64_t unix;
        uint64_t seconds;
    } ends[] = {{FIRST_UNIX, 0}, {0, epoch}, {INT64_MAX, epoch + INT64_MAX}};
    for (const auto &end : ends) {
        aeonmark_instant instant = MARK;
        ASSERT_EQ(aeonmark_from_unix(end.unix, &instant), AEONMARK_OK) << end.unix;
        EXPECT_EQ(instant.seconds, end.seconds);
        EXPECT_EQ(instant.fraction, 0U);
        int64_t back = 0;
        instant.fraction = ~0U; // dropped: the floor
        ASSERT_EQ(aeonmark_to_unix(instant, &back), AEONMARK_OK) << end.unix;
        EXPECT_EQ(back, end.unix);
    }
    int64_t seconds = 0;
    EXPECT_EQ(aeonmark_to_unix({epoch + INT64_MAX + 1, 0}, &seconds), AEONMARK_OUT_OF_RANGE);
}

// The calls 1.1 adds. A text is read from within a buffer, its bytes alone:
// a NUL among them is no end, and the notation that claimed it is named
// whatever its verdict.
TEST(Library, ReadsCountedTexts) {
    const char buffer[] = "U0123 2000-02-30U0\0";
    const struct {
        size_t at, length;
        aeonmark_problem problem;
        char notation;
        int64_t unix = 0;
    } reads[] = {
        {0, 5, AEONMARK_OK, 'u', 123}, // U0123, within the buffer
        {0, 3, AEONMARK_OK, 'u', 1},   // U01: the digits after it are not its own
        {6, 10, AEONMARK_DAY_OUT_OF_RANGE, 'g'},
        {16, 3, AEONMARK_MALFORMED_UNIX, 'u'}, // U0 and a NUL
        {5, 1, AEONMARK_UNRECOGNISED, '\0'},
    };
    for (const auto &r : reads) {
        aeonmark_instant instant = MARK;
        char notation = '?';
        EXPECT_EQ(aeonmark_read_n(buffer + r.at, r.length, &instant, &notation), r.problem);
        EXPECT_EQ(notation, r.notation) << r.at;
        EXPECT_EQ(instant.seconds, r.problem == AEONMARK_OK
                                       ? static_cast<uint64_t>(r.unix - FIRST_UNIX)
                                       : MARK.seconds);
    }
}

// The line of several notations: the program's order whatever the letters',
// each once, cut as snprintf cuts; a mistake leaves "" and the length 0.
TEST(Library, WritesTheLine) {
    const aeonmark_instant instant{~0ULL, ~0U};
    std::string six;
    for (const char notation : std::string("sjgqux")) {
        char text[AEONMARK_TEXT_MAX];
        aeonmark_write(instant, notation, 6, text, sizeof text);
        six += (six.empty() ? "" : " ") + std::string(text);
    }
    char line[AEONMARK_LINE_MAX + 1];
    size_t length = 0;
    for (size_t size = 0; size <= six.size() + 1; ++size) {
        memset(line, '#', sizeof line);
        EXPECT_EQ(aeonmark_write_line(instant, "xuqgjss", 6, line, size, &length), AEONMARK_OK);
        EXPECT_EQ(length, six.size());
        EXPECT_EQ(std::string(line, size > 0 ? strlen(line) : 0), six.substr(0, size - !!size));
        EXPECT_EQ(line[size], '#') << "a byte past the size: " << size;
    }
    for (const auto &[letters, digits, problem] : {std::tuple{"", 2, AEONMARK_BAD_NOTATIONS},
                                                   {nullptr, 2, AEONMARK_BAD_NOTATIONS},
                                                   {"sy", 9, AEONMARK_BAD_NOTATIONS},
                                                   {"x", 7, AEONMARK_BAD_DIGITS}}) {
        strcpy(line, "old");
        EXPECT_EQ(aeonmark_write_line(instant, letters, digits, line, sizeof line, &length),
                  problem);
        EXPECT_STREQ(line, "");
        EXPECT_EQ(length, 0U);
    }
    EXPECT_STREQ(aeonmark_problem_text(AEONMARK_BAD_NOTATIONS), "notations are letters of sjgqux");
    EXPECT_STREQ(aeonmark_problem_text(AEONMARK_BAD_DIGITS), "digits are 0 to 6");
    EXPECT_STREQ(aeonmark_problem_text(AEONMARK_BAD_NANOSECONDS), "nanoseconds are 0 to 999999999");
}

// Unix time with nanoseconds comes back as it went, for a million random
// values and at both ends; a nanosecond is taken up to the next 2^-32 s.
TEST(Library, UnixNanosecondsBothWays) {
    const auto round_trip = [](int64_t s, uint32_t ns) {
        aeonmark_instant instant{};
        int64_t seconds = 0;
        uint32_t nanoseconds = 0;
        return aeonmark_from_unix_ns(s, ns, &instant) == AEONMARK_OK &&
               aeonmark_to_unix_ns(instant, &seconds, &nanoseconds) == AEONMARK_OK &&
               seconds == s && nanoseconds == ns;
    };
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<int64_t> seconds(FIRST_UNIX, INT64_MAX);
    std::uniform_int_distribution<uint32_t> nanoseconds(0, 999999999);
    int failed = !round_trip(FIRST_UNIX, 0) + !round_trip(INT64_MAX, 999999999);
    for (int i = 0; i < 1000000; ++i) failed += !round_trip(seconds(random), nanoseconds(random));
    EXPECT_EQ(failed, 0);

    aeonmark_instant instant = MARK;
    int64_t s = 7;
    uint32_t ns = 7;
    EXPECT_EQ(aeonmark_from_unix_ns(0, 1000000000, &instant), AEONMARK_BAD_NANOSECONDS);
    EXPECT_EQ(aeonmark_from_unix_ns(FIRST_UNIX - 1, 999999999, &instant), AEONMARK_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_to_unix_ns({~0ULL, 0}, &s, &ns), AEONMARK_OUT_OF_RANGE);
    EXPECT_EQ(aeonmark_to_unix_ns(MARK, &s, nullptr), AEONMARK_UNRECOGNISED);
    EXPECT_TRUE(marked(instant) && s == 7 && ns == 7);
    ASSERT_EQ(aeonmark_from_unix_ns(0, 500000001, &instant), AEONMARK_OK);
    EXPECT_EQ(instant.fraction, (1U << 31) + 5); // 2^31 + 4.29... taken up
}

// Instants in order of seconds, then fraction; their padding plays no part.
TEST(Library, ComparesInstants) {
    aeonmark_instant a{}, b{};
    memset(&a, 0x55, sizeof a);
    memset(&b, 0xaa, sizeof b);
    a.seconds = b.seconds = 5;
    a.fraction = b.fraction = 9;
    EXPECT_EQ(aeonmark_compare(a, b), 0);
    EXPECT_EQ(aeonmark_compare({5, 9}, {5, 10}), -1);
    EXPECT_EQ(aeonmark_compare({6, 0}, {5, ~0U}), 1);
}

// The current time lies between two readings of the clock, its fraction
// taken from the clock's nanoseconds: nanoseconds of Unix time compared.
TEST(Library, NowIsTheClockWithItsFraction) {
    const auto reading = [] {
        timespec t{};
        clock_gettime(CLOCK_REALTIME, &t);
        return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    };
    const int64_t before = reading();
    aeonmark_instant now{};
    ASSERT_EQ(aeonmark_now(&now), AEONMARK_OK);
    const int64_t after = reading();
    const int64_t nanoseconds = (static_cast<int64_t>(now.seconds) + FIRST_UNIX) * 1000000000 +
                                static_cast<int64_t>(uint64_t{now.fraction} * 1000000000 >> 32);
    EXPECT_GE(nanoseconds, before); // taken up to 2^-32 s, which comes back down
    EXPECT_LE(nanoseconds, after);
}

} // namespace
