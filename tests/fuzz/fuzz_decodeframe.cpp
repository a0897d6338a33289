// decodeFrame is total: any 8 bytes decode, and the reading agrees with its bytes.
#include "meterlink/meterframe.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 8)
        return 0;
    MeterFrame frame;
    std::memcpy(frame.data(), data, 8);
    const MeterReading r = decodeFrame(frame);

    const double expected = double(r.count) * r.factor * (r.negative ? -1 : 1);
    const bool agrees = r.functionCode == (frame[1] & 0x1F) && r.rangeCode == (frame[0] & 0x0F)
                        && r.digits.size() >= 5 && r.value == expected && std::isfinite(r.value)
                        && r.fullScale > 0 && r.decimals >= 0 && r.decimals <= 4
                        && (r.knownFunction || !r.knownRange)
                        && (r.overload ? r.valueText == QLatin1String(".OL") : !r.valueText.isEmpty());
    if (!agrees)
        std::abort();
    return 0;
}
