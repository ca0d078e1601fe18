// Month lengths shared by every calendar.
#pragma once

#include <cstdint>

constexpr int LEAP_ROW = 0;
constexpr int COMMON_ROW = 1;

inline constexpr uint8_t month_days[2][12] = {
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};
