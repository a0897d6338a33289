#include "meterframe.h"

#include <span>
#include <utility>
#include <vector>

namespace {

struct RangeEntry {
    int code;
    const char *rangeText;
    const char *unit;
    double fullScale;
    int decimals;
};

// The range sets; a code missing from a set means "no entry" (the reading keeps
// the previous range and unit on the readout).
constexpr RangeEntry kSetV[] = {{0, "5.0000V", "V", 5, 4},
                                {1, "50.000V", "V", 50, 3},
                                {2, "500.00V", "V", 500, 2},
                                {3, "5000.0V", "V", 5000, 1}};
constexpr RangeEntry kSetMilliV[] = {{0, "50.000mV", "mV", 50, 3}, {1, "500.00mV", "mV", 500, 2}};
// Frequency has no entry for code 2: the meter never reports it.
constexpr RangeEntry kSetHz[] = {{0, "50.000Hz", "Hz", 50, 3},    {1, "500.00Hz", "Hz", 500, 2},
                                 {3, "5.0000kHz", "kHz", 5, 4},   {4, "50.000kHz", "kHz", 50, 3},
                                 {5, "500.00kHz", "kHz", 500, 2}, {6, "5.0000MHz", "MHz", 5, 4},
                                 {7, "50.000MHz", "MHz", 50, 3}};
constexpr RangeEntry kSetOhm[] = {{0, "500.00Ohm", "Ohm", 500, 2},  {1, "5.0000kOhm", "kOhm", 5, 4},
                                  {2, "50.000kOhm", "kOhm", 50, 3}, {3, "500.00kOhm", "kOhm", 500, 2},
                                  {4, "5.0000MOhm", "MOhm", 5, 4},  {5, "50.000MOhm", "MOhm", 50, 3}};
constexpr RangeEntry kSetF[] = {{0, "50.00nF", "nF", 50, 2}, {1, "500.0nF", "nF", 500, 1},
                                {2, "5.000uF", "uF", 5, 3},  {3, "50.00uF", "uF", 50, 2},
                                {4, "500.0uF", "uF", 500, 1}, {5, "5000uF", "uF", 5000, 0}};
constexpr RangeEntry kSetMicroA[] = {{0, "500.00uA", "uA", 500, 2}, {1, "5000.0uA", "uA", 5000, 1}};
constexpr RangeEntry kSetMilliA[] = {{0, "50.000mA", "mA", 50, 3}, {1, "500.00mA", "mA", 500, 2}};
constexpr RangeEntry kSetA[] = {{0, "5.0000A", "A", 5, 4}, {1, "50.000A", "A", 50, 3}};

// Functions with a single range whatever the range code says.
constexpr RangeEntry kFixedDbm = {-1, "500.00dBm", "dBm", 500, 2};
constexpr RangeEntry kFixedDuty = {-1, "100.00%", "%", 100, 2};
constexpr RangeEntry kFixedDiode = {-1, "2.5000V", "V", 2.5, 4};
constexpr RangeEntry kFixedContinuity = {-1, "500.00Ohm", "Ohm", 500, 2};

struct FunctionRow {
    const char *funcName;
    const char *acdcText;
    std::span<const RangeEntry> rangeSet; // empty when fixed
    const RangeEntry *fixed;
};

// Indexed by function code 0..21; 22..31 are unknown. Several codes share a name.
constexpr FunctionRow kFunctions[] = {
    {"AC Spannung", "AC", kSetV, nullptr},
    {"dBm Messung", "", {}, &kFixedDbm},
    {"DC Spannung", "DC", kSetV, nullptr},
    {"DC+AC Spannung", "DC+AC", kSetV, nullptr},
    {"DCmV", "DC", kSetMilliV, nullptr},
    {"ACmV", "AC", kSetMilliV, nullptr},
    {"DCmV+ACmV", "DC+AC", kSetMilliV, nullptr},
    {"Frequenz", "", kSetHz, nullptr},
    {"Duty Cycle", "", {}, &kFixedDuty},
    {"Diode", "", {}, &kFixedDiode},
    {"Widerstand", "", kSetOhm, nullptr},
    {"Durchgang", "", {}, &kFixedContinuity},
    {"Kapazitaet", "", kSetF, nullptr},
    {"DC Strom", "DC", kSetMicroA, nullptr},
    {"AC Strom", "AC", kSetMicroA, nullptr},
    {"DC+AC Strom", "DC+AC", kSetMicroA, nullptr},
    {"DC Strom", "DC", kSetMilliA, nullptr},
    {"AC Strom", "AC", kSetMilliA, nullptr},
    {"DCmA+ACmA", "DC+AC", kSetMilliA, nullptr},
    {"DC Strom", "DC", kSetA, nullptr},
    {"AC Strom", "AC", kSetA, nullptr},
    {"DC+AC Strom", "DC+AC", kSetA, nullptr},
};
constexpr int kFunctionCount = int(std::size(kFunctions));

constexpr double kFactors[] = {1, 0.1, 0.01, 0.001, 0.0001}; // by decimals

constexpr int kDiodeFunction = 9;
constexpr int kContinuityFunction = 11;

// The tables' texts as shared QStrings, built once, so that every reading (and every
// logged record) shares them instead of allocating its own copies.
struct TextCache {
    QString funcName[kFunctionCount];
    QString acdcText[kFunctionCount];
    std::vector<std::pair<const char *, QString>> rangeTexts; // keyed by the literal

    TextCache()
    {
        for (int i = 0; i < kFunctionCount; ++i) {
            funcName[i] = QString::fromLatin1(kFunctions[i].funcName);
            acdcText[i] = QString::fromLatin1(kFunctions[i].acdcText);
            if (kFunctions[i].fixed)
                addRange(*kFunctions[i].fixed);
            for (const RangeEntry &e : kFunctions[i].rangeSet)
                addRange(e);
        }
    }
    void addRange(const RangeEntry &e)
    {
        for (const char *literal : {e.rangeText, e.unit})
            if (!find(literal))
                rangeTexts.emplace_back(literal, QString::fromLatin1(literal));
    }
    const QString *find(const char *literal) const
    {
        for (const auto &[key, text] : rangeTexts)
            if (key == literal)
                return &text;
        return nullptr;
    }
};

const TextCache &texts()
{
    static const TextCache cache;
    return cache;
}

const RangeEntry *lookUpRange(const FunctionRow &row, int rangeCode)
{
    if (row.fixed)
        return row.fixed;
    for (const RangeEntry &e : row.rangeSet)
        if (e.code == rangeCode)
            return &e;
    return nullptr;
}

QString paddedDigits(std::int32_t count)
{
    QString text = QString::number(count);
    if (text.size() < 5)
        text.prepend(QString(5 - text.size(), u'0'));
    return text;
}

} // namespace

MeterReading decodeFrame(const MeterFrame &frame)
{
    MeterReading r;
    r.rangeCode = frame[0] & 0x0F;
    r.functionCode = frame[1] & 0x1F;
    // Digit bytes are plain values; bytes above 9 are taken as they are and can
    // push the count past 99999.
    r.count = std::int32_t(frame[3]) * 10000 + std::int32_t(frame[4]) * 1000
              + std::int32_t(frame[5]) * 100 + std::int32_t(frame[6]) * 10 + std::int32_t(frame[7]);
    r.digits = paddedDigits(r.count);

    const RangeEntry *range = nullptr;
    if (r.functionCode < kFunctionCount) {
        const FunctionRow &row = kFunctions[r.functionCode];
        r.knownFunction = true;
        r.funcName = texts().funcName[r.functionCode];
        r.acdcText = texts().acdcText[r.functionCode];
        range = lookUpRange(row, r.rangeCode);
    }
    if (range) {
        r.knownRange = true;
        r.rangeText = *texts().find(range->rangeText);
        r.unit = *texts().find(range->unit);
        r.fullScale = range->fullScale;
        r.decimals = range->decimals;
        r.factor = kFactors[range->decimals];
    }

    r.overload = frame[1] & 0x20;
    r.hold = frame[1] & 0x40;
    r.minMaxMode = frame[2] & 0x03;
    r.relative = frame[2] & 0x04;
    r.autoRange = !(frame[2] & 0x10); // bit set means manual range
    r.negative = frame[2] & 0x20;
    if (r.functionCode == kDiodeFunction)
        r.icon = FunctionIcon::Diode;
    else if (r.functionCode == kContinuityFunction)
        r.icon = FunctionIcon::Continuity;

    if (r.overload) {
        r.valueText = QStringLiteral(".OL");
    } else {
        if (r.decimals > 0) {
            // With more than 5 digits the digits between the integer part and the
            // decimals are dropped, as the display does.
            const qsizetype intDigits = 5 - r.decimals;
            r.valueText.reserve(8);
            r.valueText += QStringView(r.digits).left(intDigits);
            r.valueText += u'.';
            r.valueText += QStringView(r.digits).right(r.decimals);
        } else {
            r.valueText = r.digits;
        }
        if (r.negative)
            r.valueText.prepend(u'-');
    }

    // A multiplication by the factor, not a division by a power of ten: the logged
    // numbers are the ones the display's own arithmetic gives.
    r.value = double(r.count) * r.factor;
    if (r.negative)
        r.value *= -1;
    return r;
}
