#pragma once

#include <QString>

#include <array>
#include <cstdint>

// One reading as the meter sends it: 8 bytes, byte 0 first on the line.
// There is no start marker, length or checksum; alignment is the receiver's job.
using MeterFrame = std::array<std::uint8_t, 8>;

enum class FunctionIcon { None, Diode, Continuity };

// One decoded frame. Texts are only meaningful when their "known" flag says so;
// the numeric fields then carry the documented defaults.
struct MeterReading {
    int functionCode = 0;   // byte 1 & 0x1F
    int rangeCode = 0;      // byte 0 & 0x0F
    std::int32_t count = 0; // the five digit bytes as one number
    QString digits;         // count, zero-padded on the left to 5 characters

    bool knownFunction = false;
    QString funcName;
    QString acdcText;

    bool knownRange = false;
    QString rangeText;
    QString unit;
    double fullScale = 40;
    double factor = 1;
    int decimals = 0;

    bool negative = false;
    bool overload = false;
    bool hold = false;
    bool autoRange = false;
    bool relative = false;
    int minMaxMode = 0; // 0 off, 1 MAX, 2 MIN, 3 MAX-MIN
    FunctionIcon icon = FunctionIcon::None;

    QString valueText; // as the display shows it, or ".OL"
    double value = 0;  // count * factor, sign applied
};

// Pure and total: every 8-byte input gives a reading.
MeterReading decodeFrame(const MeterFrame &frame);
