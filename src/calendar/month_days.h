// Month lengths shared by every calendar: the leap-year row, then the
// common-year row. Read them through months_of_year(leap).
#pragma once

#include <cstdint>

namespace aeonmark {

inline constexpr uint8_t month_days[2][12] = {
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

} // namespace aeonmark
