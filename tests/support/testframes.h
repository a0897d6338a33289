#pragma once

#include <QByteArray>

#include <array>

// The 8 bytes of one meter frame: range code, function code and flags, byte 2's flags,
// then the five digits.
inline QByteArray meterFrame(int range, int function, int byte2, std::array<int, 5> digits)
{
    QByteArray b;
    for (int v : {range, function, byte2, digits[0], digits[1], digits[2], digits[3], digits[4]})
        b.append(char(v));
    return b;
}

// A reading on the 5000uF range, where the factor is 1: the count is the value.
inline QByteArray microfarads(int count)
{
    return meterFrame(5, 12, 0, {count / 10000 % 10, count / 1000 % 10, count / 100 % 10, count / 10 % 10,
                                 count % 10});
}
