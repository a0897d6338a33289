// Byte streams through the serial component's interface into the reading pipeline: any
// split into notifications, any length, pauses, resynchronisations, dialogs and clears.
// After every input the log and the page window must still hold their invariants.
#include "fakeclock.h"
#include "fakeserialcomm.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// Empties the log when it is full, as the limit handling does after a save.
class ResettingLimit final : public LimitFlow {
public:
    explicit ResettingLimit(GVarMod &vars) : m_vars(vars) {}
    void runLimitFlow() override { m_vars.clearLog(); }

private:
    GVarMod &m_vars;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkInvariants(const GVarMod &vars, int appendedFrom)
{
    check(vars.recordCount >= 0 && vars.recordCount <= ReadingLog::capacity);
    check(vars.pagePoints >= 0 && vars.pagePoints <= GVarMod::pageSize);
    check(vars.pageFirst >= 1 && (vars.pageFirst - 1) % GVarMod::pageSize == 0);
    for (int i = appendedFrom; i <= vars.recordCount; ++i)
        check(vars.log[i].nr == i);
    if (!vars.browsing && vars.recordCount > 0) {
        check(vars.pagePoints == GVarMod::livePagePoints(vars.recordCount));
        check(vars.pageFirst == vars.recordCount - vars.pagePoints + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static GVarMod &vars = *new GVarMod;
    vars.recordCount = 0;
    vars.pageFirst = 1;
    vars.pagePoints = 0;
    vars.browsing = false;
    FakeSerialComm comm;
    ReadoutState readout;
    RunningExtremes extremes;
    FakeClock clock;
    static const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    ModalGate modal;
    ResettingLimit limit(vars);
    ReadingPipeline pipeline(comm, vars, readout, extremes, clock, forms, modal);
    pipeline.setViews({nullptr, nullptr, nullptr, nullptr, &limit});
    QObject::connect(&comm, &SerialComm::OnComm, [&] { pipeline.MSComm1_OnComm(); });
    comm.setPortOpen(true);
    comm.setRThreshold(8);

    // Each chunk: a control byte, then up to 15 bytes of line data.
    //   bits 0-3: how many bytes follow; bits 4-5: the pause before them (0, 5, 25 or
    //   300 ms); bit 6: toggle a dialog; bit 7: an action picked by the low bits.
    std::optional<ModalGate::Scope> dialog;
    qint64 now = 0;
    int appendedFrom = 1;
    std::size_t at = 0;
    if (size > 0 && data[0] == 0xFF) {
        vars.recordCount = ReadingLog::capacity - 3; // reach the limit quickly
        vars.followLive();
        appendedFrom = vars.recordCount + 1;
        ++at;
    }
    while (at < size) {
        const std::uint8_t control = data[at++];
        static constexpr qint64 pauses[] = {0, 5, 25, 300};
        now += pauses[(control >> 4) & 3];
        if (control & 0x40) {
            if (dialog)
                dialog.reset();
            else
                dialog.emplace(modal);
        }
        if (control & 0x80) {
            switch (control & 3) {
            case 0:
                vars.clearLog();
                appendedFrom = 1;
                break;
            case 1:
                comm.setRThreshold(comm.RThreshold() ? 0 : 8);
                break;
            case 2:
                comm.setInBufferCount(0);
                break;
            case 3:
                vars.browsing = !vars.browsing;
                if (!vars.browsing)
                    vars.followLive();
                break;
            }
            continue;
        }
        const std::size_t n = std::min<std::size_t>(control & 0x0F, size - at);
        comm.deliver(QByteArrayView(reinterpret_cast<const char *>(data + at), qsizetype(n)), now);
        at += n;
        if (vars.recordCount < appendedFrom - 1)
            appendedFrom = 1; // the limit handling emptied the log
        checkInvariants(vars, appendedFrom);
    }
    if (vars.recordCount < appendedFrom - 1)
        appendedFrom = 1;
    checkInvariants(vars, appendedFrom);
    return 0;
}
