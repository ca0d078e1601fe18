// Calendar date text split into fields: the shape decides whose text it is,
// then each field's range, in order.
#include "calendar/date_fields.h"
#include "time_point.h"

#include "support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Read {
    ReadResult result;
    DateFields fields;
    bool flag;
    std::string err; // the problem's words, when the text failed
};

Read read(const std::string &text, char separator = '-') {
    Read r{};
    r.fields = {7, 7, 7, 7, 7, 7, 7};
    Overflow flag;
    r.result = read_date_fields(r.fields, text.c_str(), separator, flag);
    r.flag = flag.set;
    if (r.result != READ_OK && r.result != READ_NOT_MINE) r.err = aeonmark_problem_text(r.result);
    return r;
}

TEST(DateFields, ValuesOfEveryShape) {
    struct {
        const char *text;
        uint64_t year;
        char separator;
        bool flag;
        uint32_t month, day, hour, minute, second;
    } const cases[] = {
        {"2000-01-01", 2000, '-', false, 1, 1, 0, 0, 0},
        {"0-1-1", 0, '-', false, 1, 1, 0, 0, 0},
        {"2000-1-1T1:2", 2000, '-', false, 1, 1, 1, 2, 0},
        {"2000-01-01t23:59:59", 2000, '-', false, 1, 1, 23, 59, 59},
        {"2000-0000000000000000000000000000001-01", 2000, '-', false, 1, 1, 0, 0, 0},
        {"2000-01-01T012:030:045", 2000, '-', false, 1, 1, 12, 30, 45},
        {"2000-000000000000000000000012-31T00:00:00", 2000, '-', false, 12, 31, 0, 0, 0},
        {"18446744073709551615-01-01", MAX, '-', false, 1, 1, 0, 0, 0},
        {"18446744073709551616-01-01", 0, '-', true, 1, 1, 0, 0, 0},
        {"99999999999999999999-12-31T23:59", 7766279631452241919ULL, '-', true, 12, 31, 23, 59, 0},
        {"2000-02-31", 2000, '-', false, 2, 31, 0, 0, 0}, // the month's length is the caller's
        {"2000=01=01", 2000, '=', false, 1, 1, 0, 0, 0},
        {"0323*12*31T23:59:59", 323, '*', false, 12, 31, 23, 59, 59},
    };
    for (const auto &c : cases) {
        const Read r = read(c.text, c.separator);
        ASSERT_EQ(r.result, READ_OK) << c.text;
        EXPECT_EQ(r.err, "") << c.text;
        EXPECT_EQ(r.flag, c.flag) << c.text;
        const DateFields &f = r.fields;
        EXPECT_EQ(f.year_hi << 32 | f.year_lo, c.year) << c.text;
        EXPECT_LE(f.year_hi | f.year_lo, 0xffffffffU) << c.text;
        EXPECT_EQ(f.month, c.month) << c.text;
        EXPECT_EQ(f.day, c.day) << c.text;
        EXPECT_EQ(f.hour, c.hour) << c.text;
        EXPECT_EQ(f.minute, c.minute) << c.text;
        EXPECT_EQ(f.second, c.second) << c.text;
    }
}

// Without year, month and day the text is another notation's: silence, the
// record untouched and the flag left clear. With them, the first fault in
// the order shape, month, day, hour, minute, second is the one reported.
TEST(DateFields, NotMineOrTheFirstFault) {
    struct {
        std::string text;
        char separator;
        const char *problem; // null: not mine
    } const cases[] = {
        {"2000-01", '-', nullptr},
        {"2000-01-", '-', nullptr},
        {"2000", '-', nullptr},
        {"", '-', nullptr},
        {"-2000-01-01", '-', nullptr},
        {"+2000-01-01", '-', nullptr},
        {" 2000-01-01", '-', nullptr},
        {"2000--01-01", '-', nullptr},
        {"2000-01=01", '-', nullptr},
        {"2000-01-01", '=', nullptr},
        {"2000*01*01", '-', nullptr},
        {"T", '-', nullptr},
        {"T12:00", '-', nullptr},
        {"\262000-01-01", '-', nullptr}, // byte 178, then digits
        {"2000-\xb9-01", '-', nullptr},
        {"2000\xfe-01-01", '-', nullptr},
        {"2000-1\xff-01", '-', nullptr},
        {"[0]0000.00", '-', nullptr},
        {"U0", '=', nullptr},
        {"2000-01-01T", '-', "malformed time of day"},
        {"2000-01-01T12", '-', "malformed time of day"},
        {"2000-01-01T12:", '-', "malformed time of day"},
        {"2000-01-01T12:30:", '-', "malformed time of day"},
        {"2000-01-01T12:30:45:00", '-', "malformed time of day"},
        {"2000-01-01T12::00", '-', "malformed time of day"},
        {"2000-01-01T:30", '-', "malformed time of day"},
        {"2000-01-01 12:00", '-', "malformed time of day"},
        {"2000-01-01x", '-', "malformed time of day"},
        {"2000-01-01-01", '-', "malformed time of day"},
        {"2000=01=01=01", '=', "malformed time of day"},
        {"2000-01-01TT12:00", '-', "malformed time of day"},
        {"2000-01-01T12:00\xff", '-', "malformed time of day"},
        {"2000-01-01\xd4", '-', "malformed time of day"},
        {"2000-01-01T1\xfe:00", '-', "malformed time of day"},
        {"2000-01-01T12:00:5\xff", '-', "malformed time of day"},
        {"2000-13-01x", '-', "malformed time of day"},
        {"2000-13-01T25:00", '-', "month is out of range"},
        {"2000-13-01", '-', "month is out of range"},
        {"2000-00-01", '-', "month is out of range"},
        {"2000-4294967295-01", '-', "month is out of range"},
        {"2000-4294967297-01", '-', "month is out of range"}, // would wrap to 1 in 32 bits
        {"2000-18446744073709551617-01", '-', "month is out of range"}, // wraps to 1 in 64 bits
        {"2000-01-00", '-', "day is out of range"},
        {"2000-01-32", '-', "day is out of range"},
        {"2000-01-32T10:00", '-', "day is out of range"},
        {"2000-01-01T24:00", '-', "hour is out of range"},
        {"2000-01-01T4294967296:00", '-', "hour is out of range"},
        {"2000-01-01T23:60", '-', "minute is out of range"},
        {"2000-01-01T23:59:60", '-', "second is out of range"},
        {"2000-01-01T23:59:4294967296", '-', "second is out of range"},
        {"2000-12-31T24:60:60", '-', "hour is out of range"},
        {std::string(1 << 20, '9') + "-13-01", '-', "month is out of range"},
        {"2000-01-" + std::string(1 << 20, '9'), '-', "day is out of range"},
        {"2000-01-01T00:00:" + std::string(1 << 20, '7'), '-', "second is out of range"},
        {"2000-01-" + std::string(1 << 20, '1') + "x", '-', "malformed time of day"},
    };
    for (const auto &c : cases) {
        const std::string shown = c.text.substr(0, 40);
        const Read r = read(c.text, c.separator);
        if (c.problem == nullptr) {
            EXPECT_EQ(r.result, READ_NOT_MINE) << shown;
            EXPECT_EQ(r.err, "") << shown;
            EXPECT_FALSE(r.flag) << shown;
            EXPECT_EQ(r.fields.year_lo, 7U) << shown;
        } else {
            EXPECT_EQ(r.err, c.problem) << shown;
        }
    }
}

TEST(DateFields, MegabyteRunsAreReadWhole) {
    const std::string zeros(1 << 20, '0');
    const Read year = read(std::string(1 << 20, '9') + "-" + zeros + "12-" + zeros + "31T" + zeros +
                           "23:" + zeros + "59:" + zeros + "58");
    ASSERT_EQ(year.result, READ_OK);
    EXPECT_TRUE(year.flag);
    EXPECT_EQ(year.fields.month, 12U);
    EXPECT_EQ(year.fields.day, 31U);
    EXPECT_EQ(year.fields.second, 58U);
    const Read small = read(zeros + "7=" + zeros + "1=" + zeros + "2", '=');
    ASSERT_EQ(small.result, READ_OK);
    EXPECT_FALSE(small.flag);
    EXPECT_EQ(small.fields.year_lo, 7U);
    EXPECT_EQ(small.fields.day, 2U);
}

} // namespace
