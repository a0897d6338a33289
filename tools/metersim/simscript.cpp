// Frame encoding and the script language of the meter simulator.
//
// Script syntax, one command per line; '#' starts a comment, blank lines are ignored:
//   reading func=F range=R value=V [ol] [neg] [hold] [manual] [rel] [minmax=M] [pause=MS]
//   raw HH HH HH HH HH HH HH HH [pause=MS]
//   sweep func=F range=R from=A to=B steps=N [flags as for reading] [pause=MS]
//   unknown func=F range=R count=C [flags as for reading] [pause=MS]
//   noise N [pause=MS]
//   partial N [func=F range=R value=V [flags]] [pause=MS]
//   double [func=F range=R value=V [flags]] [pause=MS]
//   burst N [func=F range=R value=V [flags]] [pause=MS]
//   pause MS
//   hangup
//   repeat N {
//     ...
//   }
// A frame command (reading, raw, sweep, unknown) is followed by at least kMinFrameGapMs of quiet.
// partial, double and burst send the frame of the last frame command (12.345 V before any) unless
// they name their own reading.

#include "simscript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>

namespace metersim {

namespace {

// --- Range tables -------------------------------------------------------------------------------

struct RangeSet {
    // Decimals per range code; -1 where the set has no entry for the code.
    std::array<int, 16> decimals;
};

// Sets V, mV, Hz, Ohm, F, uA, mA and A: the digits after the point of each range code.
constexpr RangeSet kSetV{{4, 3, 2, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetMilliV{{3, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
// Set Hz has no code 2: 50.000Hz, 500.00Hz, then 5.0000kHz at code 3.
constexpr RangeSet kSetHz{{3, 2, -1, 4, 3, 2, 4, 3, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetOhm{{2, 4, 3, 2, 4, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetF{{2, 1, 3, 2, 1, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetMicroA{{2, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetMilliA{{3, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
constexpr RangeSet kSetA{{4, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};

// Functions 1 (dBm, 500.00), 8 (duty cycle, 100.00%), 9 (diode, 2.5000V) and 11 (continuity,
// 500.00Ohm) have one fixed entry whatever the range code.
std::optional<int> fixedDecimals(int function)
{
    switch (function) {
    case 1:
    case 8:
    case 11:
        return 2;
    case 9:
        return 4;
    default:
        return std::nullopt;
    }
}

const RangeSet *rangeSetFor(int function)
{
    switch (function) {
    case 0:
    case 2:
    case 3:
        return &kSetV;
    case 4:
    case 5:
    case 6:
        return &kSetMilliV;
    case 7:
        return &kSetHz;
    case 10:
        return &kSetOhm;
    case 12:
        return &kSetF;
    case 13:
    case 14:
    case 15:
        return &kSetMicroA;
    case 16:
    case 17:
    case 18:
        return &kSetMilliA;
    case 19:
    case 20:
    case 21:
        return &kSetA;
    default:
        return nullptr; // 22 to 31 are not meter functions
    }
}

// --- Small text helpers -------------------------------------------------------------------------

std::string_view trimmed(std::string_view s)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> splitWords(std::string_view s)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(s.substr(start, i - start));
    }
    return words;
}

// from_chars does not take a leading '+'; a script writer might.
std::string_view withoutPlus(std::string_view s)
{
    if (s.size() > 1 && s.front() == '+')
        s.remove_prefix(1);
    return s;
}

std::optional<long long> parseInteger(std::string_view s)
{
    s = withoutPlus(s);
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    return v;
}

// Locale-independent: the test runs under de_DE, where strtod would want a comma.
std::optional<double> parseNumber(std::string_view s)
{
    s = withoutPlus(s);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::uint8_t> parseHexByte(std::string_view s)
{
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.remove_prefix(2);
    if (s.empty() || s.size() > 2)
        return std::nullopt;
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return static_cast<std::uint8_t>(v);
}

// --- Parser -------------------------------------------------------------------------------------

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr int kMaxPauseMs = 600000;
constexpr long long kMaxNoiseBytes = 65536;
// A burst of 1000 frames (8000 bytes) still fits the pseudo-terminal's buffer of about 16 KB.
constexpr long long kMaxBurstFrames = 1000;
constexpr long long kMaxSweepSteps = 100000;
constexpr long long kMaxRepeat = 100000;
constexpr std::size_t kMaxSteps = 2000000;

// The words of one command after its name: key=value pairs, bare flags and plain words.
struct Args {
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    std::vector<std::string> words;
};

const std::set<std::string, std::less<>> kReadingFlagWords{"ol", "neg", "hold", "manual", "rel"};

Args splitArgs(const std::vector<std::string_view> &words)
{
    Args args;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view w = words[i];
        const auto eq = w.find('=');
        if (eq != std::string_view::npos) {
            std::string key(w.substr(0, eq));
            if (args.values.count(key) != 0)
                throw ScriptError("'" + key + "' given twice");
            args.values.emplace(std::move(key), std::string(w.substr(eq + 1)));
        } else if (kReadingFlagWords.count(w) != 0) {
            args.flags.emplace(w);
        } else {
            args.words.emplace_back(w);
        }
    }
    return args;
}

void allowOnly(const Args &args, std::initializer_list<std::string_view> keys, bool readingFlags,
    std::size_t maxWords)
{
    for (const auto &[key, value] : args.values) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            throw ScriptError("unknown option '" + key + "='");
    }
    if (!readingFlags && !args.flags.empty())
        throw ScriptError("flag '" + *args.flags.begin() + "' not allowed here");
    if (args.words.size() > maxWords)
        throw ScriptError("unexpected word '" + args.words[maxWords] + "'");
}

long long intValue(const Args &args, std::string_view key, long long lo, long long hi)
{
    const auto it = args.values.find(key);
    if (it == args.values.end())
        throw ScriptError("missing " + std::string(key) + "=");
    const auto v = parseInteger(it->second);
    if (!v || *v < lo || *v > hi) {
        throw ScriptError(std::string(key) + "=" + it->second + " is not a whole number from "
            + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return *v;
}

double numberValue(const Args &args, std::string_view key)
{
    const auto it = args.values.find(key);
    if (it == args.values.end())
        throw ScriptError("missing " + std::string(key) + "=");
    const auto v = parseNumber(it->second);
    if (!v)
        throw ScriptError(std::string(key) + "=" + it->second + " is not a number");
    return *v;
}

long long countWord(const Args &args, std::string_view what, long long lo, long long hi)
{
    if (args.words.empty())
        throw ScriptError("missing " + std::string(what));
    const auto v = parseInteger(args.words.front());
    if (!v || *v < lo || *v > hi) {
        throw ScriptError(std::string(what) + " '" + args.words.front()
            + "' is not a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return *v;
}

ReadingFlags flagsOf(const Args &args)
{
    ReadingFlags f;
    f.overload = args.flags.count("ol") != 0;
    f.negative = args.flags.count("neg") != 0;
    f.hold = args.flags.count("hold") != 0;
    f.manualRange = args.flags.count("manual") != 0;
    f.relative = args.flags.count("rel") != 0;
    if (args.values.count("minmax") != 0)
        f.minMaxMode = static_cast<int>(intValue(args, "minmax", 0, 3));
    return f;
}

Frame frameFor(int function, int range, double value, const ReadingFlags &flags)
{
    if (!rangeDecimals(function, range)) {
        throw ScriptError("function " + std::to_string(function) + " range " + std::to_string(range)
            + " has no table entry (use 'unknown')");
    }
    const auto r = readingFor(function, range, value, flags);
    if (!r) {
        throw ScriptError("value does not fit the five digits of function "
            + std::to_string(function) + " range " + std::to_string(range));
    }
    return encodeReading(*r);
}

std::vector<std::uint8_t> toBytes(const Frame &f)
{
    return {f.begin(), f.end()};
}

class Parser {
public:
    explicit Parser(int defaultPauseMs)
        : m_defaultPauseMs(std::clamp(defaultPauseMs, 0, kMaxPauseMs))
    {
        m_blocks.push_back(Block{});
    }

    void line(std::string_view text)
    {
        const auto words = splitWords(text);
        if (words.empty())
            return;
        if (m_hungUp)
            throw ScriptError("nothing can follow 'hangup'");
        const std::string_view cmd = words.front();
        if (cmd == "}") {
            closeBlock(words);
            return;
        }
        const Args args = splitArgs(words);
        if (cmd == "reading")
            reading(args);
        else if (cmd == "raw")
            raw(args);
        else if (cmd == "sweep")
            sweep(args);
        else if (cmd == "unknown")
            unknown(args);
        else if (cmd == "noise")
            noise(args);
        else if (cmd == "partial")
            partial(args);
        else if (cmd == "double")
            doubleFrame(args);
        else if (cmd == "burst")
            burst(args);
        else if (cmd == "pause")
            pause(args);
        else if (cmd == "hangup")
            hangup(args);
        else if (cmd == "repeat")
            openBlock(args);
        else
            throw ScriptError("unknown command '" + std::string(cmd) + "'");
    }

    std::vector<Step> finish()
    {
        if (m_blocks.size() > 1)
            throw ScriptError("'repeat' block not closed with '}'");
        return std::move(m_blocks.front().steps);
    }

private:
    struct Block {
        std::vector<Step> steps;
        long long times = 1;
    };

    // --- frame commands: each is one whole frame followed by at least kMinFrameGapMs
    void reading(const Args &args)
    {
        allowOnly(args, {"func", "range", "value", "minmax", "pause"}, true, 0);
        const Frame f
            = frameFor(funcOf(args), rangeOf(args), numberValue(args, "value"), flagsOf(args));
        addFrame(f, args);
    }

    void raw(const Args &args)
    {
        allowOnly(args, {"pause"}, false, 8);
        if (args.words.size() != 8)
            throw ScriptError("raw needs exactly 8 hex bytes");
        Frame f{};
        for (std::size_t i = 0; i < f.size(); ++i) {
            const auto b = parseHexByte(args.words[i]);
            if (!b)
                throw ScriptError("'" + args.words[i] + "' is not a hex byte");
            f[i] = *b;
        }
        addFrame(f, args);
    }

    void sweep(const Args &args)
    {
        allowOnly(args, {"func", "range", "from", "to", "steps", "minmax", "pause"}, true, 0);
        const int function = funcOf(args);
        const int range = rangeOf(args);
        const double from = numberValue(args, "from");
        const double to = numberValue(args, "to");
        const long long n = intValue(args, "steps", 1, kMaxSweepSteps);
        const ReadingFlags flags = flagsOf(args);
        for (long long k = 0; k < n; ++k) {
            const double t = n == 1 ? 0.0 : static_cast<double>(k) / static_cast<double>(n - 1);
            addFrame(frameFor(function, range, from + (to - from) * t, flags), args);
        }
    }

    void unknown(const Args &args)
    {
        allowOnly(args, {"func", "range", "count", "minmax", "pause"}, true, 0);
        const ReadingFlags flags = flagsOf(args);
        SimReading r;
        r.function = funcOf(args);
        r.range = rangeOf(args);
        r.count = intValue(args, "count", 0, kMaxCount);
        r.negative = flags.negative;
        r.overload = flags.overload;
        r.hold = flags.hold;
        r.manualRange = flags.manualRange;
        r.relative = flags.relative;
        r.minMaxMode = flags.minMaxMode;
        addFrame(encodeReading(r), args);
    }

    // --- stream faults: none of them is a whole frame
    void noise(const Args &args)
    {
        allowOnly(args, {"pause"}, false, 1);
        const long long n = countWord(args, "byte count", 1, kMaxNoiseBytes);
        std::vector<std::uint8_t> bytes;
        bytes.reserve(static_cast<std::size_t>(n));
        for (long long i = 0; i < n; ++i)
            bytes.push_back(nextNoiseByte());
        addFault(std::move(bytes), args);
    }

    void partial(const Args &args)
    {
        allowOnly(args, {"func", "range", "value", "minmax", "pause"}, true, 1);
        const long long n = countWord(args, "byte count", 1, 7);
        const Frame f = faultFrame(args);
        addFault({f.begin(), f.begin() + n}, args);
    }

    void doubleFrame(const Args &args)
    {
        allowOnly(args, {"func", "range", "value", "minmax", "pause"}, true, 0);
        addFault(repeated(faultFrame(args), 2), args);
    }

    void burst(const Args &args)
    {
        allowOnly(args, {"func", "range", "value", "minmax", "pause"}, true, 1);
        const long long n = countWord(args, "frame count", 1, kMaxBurstFrames);
        addFault(repeated(faultFrame(args), n), args);
    }

    // --- timing and line control
    void pause(const Args &args)
    {
        allowOnly(args, {}, false, 1);
        Step s;
        s.pauseAfterMs = static_cast<int>(countWord(args, "pause", 0, kMaxPauseMs));
        push(std::move(s));
    }

    void hangup(const Args &args)
    {
        allowOnly(args, {}, false, 0);
        if (m_blocks.size() > 1)
            throw ScriptError("'hangup' cannot be repeated");
        Step s;
        s.hangup = true;
        push(std::move(s));
        m_hungUp = true;
    }

    void openBlock(const Args &args)
    {
        allowOnly(args, {}, false, 2);
        if (args.words.size() != 2 || args.words[1] != "{")
            throw ScriptError("write 'repeat N {' and close the block with '}' on its own line");
        Block b;
        b.times = countWord(args, "repeat count", 1, kMaxRepeat);
        m_blocks.push_back(std::move(b));
    }

    void closeBlock(const std::vector<std::string_view> &words)
    {
        if (words.size() != 1)
            throw ScriptError("'}' must stand alone on its line");
        if (m_blocks.size() < 2)
            throw ScriptError("'}' without 'repeat'");
        Block b = std::move(m_blocks.back());
        m_blocks.pop_back();
        for (long long i = 0; i < b.times; ++i) {
            for (const Step &s : b.steps)
                push(Step(s));
        }
    }

    // --- helpers
    int funcOf(const Args &args) const { return static_cast<int>(intValue(args, "func", 0, 31)); }
    int rangeOf(const Args &args) const { return static_cast<int>(intValue(args, "range", 0, 15)); }

    int pauseOf(const Args &args, int minimum) const
    {
        if (args.values.count("pause") == 0)
            return std::max(m_defaultPauseMs, minimum);
        return std::max(static_cast<int>(intValue(args, "pause", 0, kMaxPauseMs)), minimum);
    }

    // partial, double and burst: their own reading when they name one, else the last frame.
    Frame faultFrame(const Args &args) const
    {
        const bool named
            = args.values.count("func") + args.values.count("range") + args.values.count("value")
            != 0;
        if (!named) {
            if (!args.flags.empty() || args.values.count("minmax") != 0)
                throw ScriptError("flags need func=, range= and value=");
            return m_lastFrame;
        }
        return frameFor(funcOf(args), rangeOf(args), numberValue(args, "value"), flagsOf(args));
    }

    static std::vector<std::uint8_t> repeated(const Frame &f, long long times)
    {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(f.size() * static_cast<std::size_t>(times));
        for (long long i = 0; i < times; ++i)
            bytes.insert(bytes.end(), f.begin(), f.end());
        return bytes;
    }

    void addFrame(const Frame &f, const Args &args)
    {
        Step s;
        s.bytes = toBytes(f);
        s.pauseAfterMs = pauseOf(args, kMinFrameGapMs);
        s.wholeFrames = 1;
        push(std::move(s));
        m_lastFrame = f;
    }

    void addFault(std::vector<std::uint8_t> bytes, const Args &args)
    {
        Step s;
        s.bytes = std::move(bytes);
        s.pauseAfterMs = pauseOf(args, 0);
        push(std::move(s));
    }

    void push(Step s)
    {
        std::size_t total = 0;
        for (const Block &b : m_blocks)
            total += b.steps.size();
        if (total >= kMaxSteps)
            throw ScriptError("script too long");
        m_blocks.back().steps.push_back(std::move(s));
    }

    // xorshift32 with a fixed seed: the same script always sends the same noise.
    std::uint8_t nextNoiseByte()
    {
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        return static_cast<std::uint8_t>(m_noise >> 24);
    }

    int m_defaultPauseMs;
    std::vector<Block> m_blocks;
    Frame m_lastFrame = {0x01, 0x02, 0x00, 1, 2, 3, 4, 5}; // 12.345 V on the 50.000V range
    std::uint32_t m_noise = 0x4B4C5644u;
    bool m_hungUp = false;
};

// --- Demo ---------------------------------------------------------------------------------------

constexpr double kPi = 3.14159265358979323846;

SimReading demoReading(int i)
{
    const auto must = [](std::optional<SimReading> r) { return r.value_or(SimReading{}); };
    if (i < 60) {
        // DC volts on 50.000V, a sine from -5 V to +15 V over 60 frames; frames 40 to 44 hold
        // the display of frame 39, as the meter's HOLD key does.
        const int shown = (i >= 40 && i < 45) ? 39 : i;
        ReadingFlags f;
        f.hold = shown != i;
        return must(readingFor(2, 1, 5.0 + 10.0 * std::sin(2.0 * kPi * shown / 60.0), f));
    }
    if (i < 70) // a 4.7 kOhm resistor on 50.000kOhm, wobbling in the last digit
        return must(readingFor(10, 2, 4.7 + 0.001 * ((i * 7) % 5 - 2)));
    if (i < 75) { // leads open: overload on the top resistance range
        ReadingFlags f;
        f.overload = true;
        return must(readingFor(10, 5, 0.0, f));
    }
    if (i < 85) // mains frequency on 500.00Hz
        return must(readingFor(7, 1, 50.0 + 0.01 * (i % 5 - 2)));
    if (i < 90) // mains voltage on 500.00V AC
        return must(readingFor(0, 2, 230.0 + 0.1 * (i % 3)));
    if (i < 95) { // a rising current on 50.000mA, manual range, MAX recording
        ReadingFlags f;
        f.manualRange = true;
        f.minMaxMode = 1;
        return must(readingFor(16, 0, 12.5 + 0.25 * (i - 90), f));
    }
    return must(readingFor(12, 2, 0.47 + 0.001 * (i - 95))); // a capacitor on 5.000uF
}

} // namespace

// --- Public API ---------------------------------------------------------------------------------

Frame encodeReading(const SimReading &r)
{
    Frame f{};
    f[0] = static_cast<std::uint8_t>(r.range & 0x0F); // byte 0 bits 0-3: range code
    f[1] = static_cast<std::uint8_t>((r.function & 0x1F) // byte 1 bits 0-4: function code
        | (r.overload ? 0x20 : 0) // bit 5: ".OL"
        | (r.hold ? 0x40 : 0)); // bit 6: HOLD
    f[2] = static_cast<std::uint8_t>((r.minMaxMode & 0x03) // byte 2 bits 0-1: MIN/MAX mode
        | (r.relative ? 0x04 : 0) // bit 2: REL
        | (r.manualRange ? 0x10 : 0) // bit 4: manual, AUTO off
        | (r.negative ? 0x20 : 0)); // bit 5: sign
    // Bytes 3-7: the digits as values 0-9, not characters, most significant first.
    long long c = std::clamp(r.count, 0LL, kMaxCount);
    for (std::size_t i = 7; i >= 3; --i) {
        f[i] = static_cast<std::uint8_t>(c % 10);
        c /= 10;
    }
    return f;
}

std::optional<int> rangeDecimals(int function, int range)
{
    if (const auto fixed = fixedDecimals(function))
        return fixed;
    const RangeSet *set = rangeSetFor(function);
    if (set == nullptr || range < 0 || range > 15)
        return std::nullopt;
    const int d = set->decimals[static_cast<std::size_t>(range)];
    if (d < 0)
        return std::nullopt;
    return d;
}

std::optional<SimReading> readingFor(
    int function, int range, double value, const ReadingFlags &flags)
{
    const auto decimals = rangeDecimals(function, range);
    if (!decimals || !std::isfinite(value))
        return std::nullopt;
    // Round instead of truncating: 12.345 * 1000 is 12344.999... in binary.
    const double scaled = std::fabs(value) * std::pow(10.0, *decimals);
    if (scaled >= static_cast<double>(kMaxCount) + 0.5)
        return std::nullopt;
    SimReading r;
    r.function = function;
    r.range = range;
    r.count = std::llround(scaled);
    r.negative = flags.negative || std::signbit(value);
    r.overload = flags.overload;
    r.hold = flags.hold;
    r.manualRange = flags.manualRange;
    r.relative = flags.relative;
    r.minMaxMode = flags.minMaxMode & 0x03;
    return r;
}

std::vector<Step> parseScript(std::string_view text, std::string *error, int defaultPauseMs)
{
    Parser parser(defaultPauseMs);
    int lineNo = 0;
    try {
        while (!text.empty()) {
            ++lineNo;
            const auto nl = text.find('\n');
            std::string_view line = text.substr(0, nl);
            text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
            if (const auto hash = line.find('#'); hash != std::string_view::npos)
                line = line.substr(0, hash);
            parser.line(trimmed(line));
        }
        auto steps = parser.finish();
        settleWholeFrames(steps);
        return steps;
    } catch (const ScriptError &e) {
        if (error != nullptr)
            *error = "line " + std::to_string(std::max(lineNo, 1)) + ": " + e.what();
        return {};
    }
}

std::vector<Step> demoScript(int frames, int pauseMs)
{
    if (frames <= 0)
        frames = kDemoCycleFrames;
    std::vector<Step> steps;
    steps.reserve(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        Step s;
        s.bytes = toBytes(encodeReading(demoReading(i % kDemoCycleFrames)));
        s.pauseAfterMs = std::clamp(pauseMs, kMinFrameGapMs, kMaxPauseMs);
        s.wholeFrames = 1;
        steps.push_back(std::move(s));
    }
    settleWholeFrames(steps);
    return steps;
}

void settleWholeFrames(std::vector<Step> &steps)
{
    // The receiver starts a new frame at the first byte after a quiet line (longer than its
    // 20 ms tick), throwing away whatever still waits, and takes it when exactly 8 bytes
    // wait. So a frame counts when the line is quiet for 40 ms before and after it; stray
    // bytes before that pause do not matter. Glued writes may be read in any split.
    long long quietBefore = kMaxPauseMs; // the line is quiet before the first step
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Step &s = steps[i];
        if (s.bytes.empty()) {
            quietBefore += s.pauseAfterMs;
            continue;
        }
        long long quietAfter = s.pauseAfterMs;
        for (std::size_t j = i + 1; j < steps.size() && steps[j].bytes.empty(); ++j)
            quietAfter += steps[j].pauseAfterMs;
        const bool glued = quietBefore < kMinFrameGapMs;
        s.wholeFrames = s.wholeFrames == 1 && s.bytes.size() == 8 && !glued
                                && quietAfter >= kMinFrameGapMs
                            ? 1
                            : 0;
        quietBefore = s.pauseAfterMs;
    }
}

int wholeFrameCount(const std::vector<Step> &steps)
{
    int n = 0;
    for (const Step &s : steps)
        n += s.wholeFrames;
    return n;
}

std::string bytesHex(const std::vector<std::uint8_t> &bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += ' ';
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

std::string frameHex(const Frame &frame)
{
    return bytesHex(toBytes(frame));
}

std::optional<Frame> parseFrameHex(std::string_view text)
{
    Frame f{};
    std::size_t n = 0;
    text = trimmed(text);
    while (!text.empty()) {
        if (text.front() == ' ' || text.front() == '\t') {
            text.remove_prefix(1);
            continue;
        }
        if (n == f.size() || text.size() < 2)
            return std::nullopt;
        const auto b = parseHexByte(text.substr(0, 2));
        if (!b)
            return std::nullopt;
        f[n++] = *b;
        text.remove_prefix(2);
    }
    if (n != f.size())
        return std::nullopt;
    return f;
}

} // namespace metersim
