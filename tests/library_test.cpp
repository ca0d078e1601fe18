// The C interface's own contracts, through the shared library: the buffer a
// writer is given, null pointers, the ends of the Unix range, an instant
// left alone on every problem, and the clock. What a text reads as is the
// end-to-end tables' to say.
#include "aeonmark.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <string>
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
    EXPECT_GE(nanoseconds, before - 1); // taken down to 2^-32 s
    EXPECT_LE(nanoseconds, after);
}

} // namespace
