// Aeonmark text at every region boundary, checked against values worked out
// by hand from the region table.
#include "aeonmark/aeonmark.h"

#include "support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct Case {
    uint64_t secs, frac;
    int digits;
    const char *want;
};

std::string write_at(uint64_t secs, uint64_t frac, int digits) {
    return text_of(write_aeonmark, at(secs, frac), digits);
}

TEST(AeonmarkWriter, RegionBoundariesAndTruncation) {
    const Case cases[] = {
        {0, 0, 6, "[-395]3530.000000"},
        {0, 0, 2, "[-395]3530.00"},
        {62135769600, 0, 6, "[-36]9350.000000"},
        {68195001599, 0, 6, "[-1]9999.999942"},
        {68195001599, LAST_FRAC, 6, "[-1]9999.999999"},
        {68195001600, 0, 6, "[0]0000.000000"},
        {68195001600, 0, 0, "[0]0000"},
        {68195001600, 0, 2, "[0]0000.00"},
        {68195001601, 0, 6, "[0]0000.000057"},
        {68195001601, 0, 2, "[0]0000.00"},
        {63853012800, 0, 1, "[-26]8727.5"},
        {63853012800, 0, 0, "[-26]8727"},
        {71605036799, LAST_FRAC, 6, "[19]7339.999999"},
        {71605036800, 0, 6, "[19]7340.000000"},
        {71605036800 + 864000, 0, 6, "[19]7341.000000"},
        {72037036799, LAST_FRAC, 6, "[19]7839.999999"},
        {72037036800, 0, 6, "[19]7840.000000"},
        {72037036800 + 172800, 0, 6, "[19]7841.000000"},
        {72410284799, LAST_FRAC, 6, "[19]9999.999999"},
        {72410284800, 0, 6, "[20]0000.000000"},
        {73275321599, LAST_FRAC, 6, "[20]5005.999999"},
        {73275321600, 0, 6, "[21]00000.000000"},
        {73275321601, 0, 6, "[21]00000.000031"},
        {75705235200, 0, 6, "[21]77000.896664"},
        {75705235200, 0, 3, "[21]77000.896"},
        {76431016800, 0, 6, "[22]00000.000000"},
        {MAX, LAST_FRAC, 6, "[5845540490]31852.924705"},
        {MAX, LAST_FRAC, 0, "[5845540490]31852"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(write_at(c.secs, c.frac, c.digits), c.want) << c.secs << '+' << c.frac;
    }
}

// Every precision is the full text cut short, never rounded.
TEST(AeonmarkWriter, PrecisionCutsTheFullText) {
    std::mt19937_64 rng(2162);
    for (int i = 0; i < 100000; ++i) {
        uint64_t secs = rng();
        if (i % 3 == 1) secs = rng() % 73275321600;              // old eras
        if (i % 3 == 2) secs = 71605036800 + rng() % 1700000000; // the stretches
        const uint64_t frac = rng() & LAST_FRAC;
        const std::string full = write_at(secs, frac, 6);
        const size_t point = full.find('.');
        ASSERT_EQ(full.size(), point + 7) << full;
        for (int p = 0; p < 6; ++p)
            ASSERT_EQ(write_at(secs, frac, p),
                      full.substr(0, p ? point + 1 + static_cast<size_t>(p) : point));
    }
}

} // namespace
