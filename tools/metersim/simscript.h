// Meter simulator core: builds the meter's 8-byte display frames and the timed byte steps that
// the simulator plays on a pseudo-terminal. Plain C++20, no Qt, so that tests can link it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace metersim {

// One display frame, bytes 0 to 7 in the order in which they go on the line.
using Frame = std::array<std::uint8_t, 8>;

// What one frame says. Codes are not checked against the meter's tables, so that a script can
// send functions and ranges the decoder does not know.
struct SimReading {
    int function = 2; // byte 1 bits 0-4
    int range = 1; // byte 0 bits 0-3
    long long count = 0; // bytes 3-7, five decimal digits
    bool negative = false, overload = false, hold = false, manualRange = false, relative = false;
    int minMaxMode = 0; // byte 2 bits 0-1: 0 off, 1 MAX, 2 MIN, 3 MAX-MIN
};

// The flags of a reading besides its value, for readingFor().
struct ReadingFlags {
    bool negative = false; // forces the sign bit, also for a value of 0
    bool overload = false, hold = false, manualRange = false, relative = false;
    int minMaxMode = 0;
};

// Line timing at 2400 baud 8N1: ten bit times per byte.
inline constexpr double kByteTimeMs = 10.0 * 1000.0 / 2400.0;
// The quiet time after a frame that separates it from the next one for a receiver that aligns
// on gaps in the byte stream (the receiver in Kalvendo checks for quiet every 20 ms).
inline constexpr int kMinFrameGapMs = 40;
// The largest count the five digits can show.
inline constexpr long long kMaxCount = 99999;
// Frames in one pass of the demo; the endless demo repeats this pass.
inline constexpr int kDemoCycleFrames = 100;

// Packs a reading into a frame: byte 0 = range & 0x0F; byte 1 = function & 0x1F, 0x20 overload,
// 0x40 hold; byte 2 = minMaxMode & 3, 0x04 rel, 0x10 manual, 0x20 negative; bytes 3-7 the digits
// of count (clamped to 0..99999), most significant first, each byte the digit's value.
Frame encodeReading(const SimReading &reading);

// Digits after the decimal point for a function and range code, from the meter's range tables;
// empty when the pair has no entry (e.g. function 7 range 2, or function 22).
std::optional<int> rangeDecimals(int function, int range);

// Turns a value in the range's unit into a reading: count = |value| x 10^decimals, rounded, the
// sign into the negative flag. Empty when the pair has no table entry or the count would not fit
// in five digits.
std::optional<SimReading> readingFor(
    int function, int range, double value, const ReadingFlags &flags = {});

// One piece of the byte stream: the bytes written at once, then the quiet time after them.
struct Step {
    std::vector<std::uint8_t> bytes;
    int pauseAfterMs = 0; // quiet time after the bytes have gone out on the line
    int wholeFrames = 0; // 1 when the bytes are one frame that a receiver can take, else 0
    bool hangup = false; // the simulator closes its end of the line here
};

// Parses a script (syntax in the simulator's --help and in simscript.cpp). defaultPauseMs is the
// pause after a frame when a command gives none. On error returns no steps and sets *error to
// "line N: ..." when error is not null.
std::vector<Step> parseScript(std::string_view text, std::string *error, int defaultPauseMs = 250);

// The demo: a slow sine of DC volts on the 50.000V range with a stretch of HOLD, then resistance,
// an open-lead overload, frequency, AC volts, milliamps with MAX and capacitance. frames <= 0
// gives one pass of kDemoCycleFrames. Every step is one whole frame.
std::vector<Step> demoScript(int frames, int pauseMs = 250);

// Settles wholeFrames over a step list: a step that enters with 1 keeps it only when the line
// was quiet for kMinFrameGapMs before it and after it. The receiver throws away whatever waits
// when a byte arrives after a quiet line, so stray bytes before that pause do not spoil the
// frame. parseScript() and demoScript() apply it.
void settleWholeFrames(std::vector<Step> &steps);

// Sum of wholeFrames over the steps.
int wholeFrameCount(const std::vector<Step> &steps);

// "01 02 20 01 02 03 04 05": two lower-case hex digits per byte, one blank between, the same as
// QByteArray::toHex(' ').
std::string frameHex(const Frame &frame);
std::string bytesHex(const std::vector<std::uint8_t> &bytes);

// Reads a frameHex() line back (either case, blanks optional between bytes).
std::optional<Frame> parseFrameHex(std::string_view text);

} // namespace metersim
