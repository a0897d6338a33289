#pragma once

#include <QString>

#include <charconv>
#include <cmath>

// The shortest plain decimal text of a number: no exponent, no trailing zeros, no
// group separator, and always a point, whatever the C library's locale says.
inline QString plainDecimal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}
