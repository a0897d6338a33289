#include "readingpipeline.h"

#include "framelog.h"
#include "gvarmod.h"
#include "meterframe.h"
#include "modalgate.h"
#include "numbertext.h"
#include "readoutstate.h"
#include "serialcomm.h"

#include "../platform/clock.h"
#include "../platform/localeforms.h"

#include <algorithm>
#include <cmath>

namespace {

// Table columns; column 0 holds the record number from the row's insertion.
enum Column { ColFunc = 1, ColValue = 2, ColUnit = 3, ColStamp = 4 };

constexpr qsizetype kFrameSize = 8;

// The bar graph's lit segments for a value: 0 lights segment 0, full scale all 41.
// Beyond full scale the bar keeps what it showed.
void updateBar(ReadoutState &state, double value, double fullScale)
{
    double k = std::fabs(roundHalfEven(value * 40 / fullScale));
    if (k <= 40)
        state.barLit = int(k) + 1;
}

} // namespace

ReadingPipeline::ReadingPipeline(SerialComm &comm, GVarMod &vars, ReadoutState &readout,
                                 RunningExtremes &extremes, const Clock &clock,
                                 const LocaleForms &forms, const ModalGate &modal)
    : m_comm(comm), m_vars(vars), m_readout(readout), m_extremes(extremes), m_clock(clock),
      m_forms(forms), m_modal(modal)
{
}

const QString &ReadingPipeline::stampFor(const QDateTime &now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    const QTime second(time.hour(), time.minute(), time.second());
    if (m_stamp.isNull() || date != m_stampDate || second != m_stampTime) {
        m_stampDate = date;
        m_stampTime = second;
        m_stamp = m_forms.stamp(now);
    }
    return m_stamp;
}

void ReadingPipeline::discardWaiting()
{
    m_comm.setInBufferCount(0);
}

void ReadingPipeline::MSComm1_OnComm()
{
    if (m_comm.CommEvent() != SerialComm::comEvReceive)
        return;
    // A handler waiting on a dialog is in the middle of its work: nothing is logged
    // until it has finished.
    if (m_modal.isOpen() || m_comm.InBufferCount() != kFrameSize || m_vars.isFull()) {
        discardWaiting();
        return;
    }

    const QByteArray bytes = m_comm.Input();
    m_comm.setInBufferCount(0);
    if (bytes.size() < kFrameSize)
        return; // cannot happen with a sound component; never read past the data
    MeterFrame frame;
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()), kFrameSize, frame.begin());
    qCDebug(lcFrames).noquote() << "frame" << bytes.left(kFrameSize).toHex(' ');

    const int n = m_vars.appendRecord();
    const QString nrText = QString::number(n);
    ReadingTableView *table = m_views.table;
    if (table) {
        table->setCountCaption(nrText);
        table->insertRowOnTop(nrText);
    }

    const MeterReading r = decodeFrame(frame);
    ReadoutState &s = m_readout;
    s.showMax = r.minMaxMode == 1;
    s.showMin = r.minMaxMode == 2;
    s.showMaxMin = r.minMaxMode == 3;
    s.showHold = r.hold;
    s.icon = r.icon;
    // An unknown function or range keeps the texts of the reading before.
    if (r.knownFunction) {
        s.funcName = r.funcName;
        s.acdcText = r.acdcText;
        s.acdcShown = !r.acdcText.isEmpty();
    }
    if (r.knownRange) {
        if (table)
            table->setCurrentRowText(ColFunc, r.funcName);
        s.rangeText = r.rangeText;
        s.unit = r.unit;
        if (table)
            table->setCurrentRowText(ColUnit, r.unit);
    }
    s.showAuto = r.autoRange;
    s.showRel = r.relative;

    ReadingRecord &record = m_vars.log[n];
    s.valueText = r.valueText;
    if (table)
        table->setCurrentRowText(ColValue, r.valueText);
    record.valueText = r.valueText;

    RunningExtremes &ex = m_extremes;
    if (ex.empty) {
        ex.varmin = ex.varmax = r.value;
        s.maxText = s.minText = r.valueText;
        ++s.maxWrites;
        ++s.minWrites;
        ex.empty = false;
    } else {
        if (r.value < ex.varmin) {
            ex.varmin = r.value;
            s.minText = r.valueText;
            ++s.minWrites;
        }
        if (r.value > ex.varmax) {
            ex.varmax = r.value;
            s.maxText = r.valueText;
            ++s.maxWrites;
        }
    }

    if (r.fullScale != m_barLabelScale) {
        s.barLabels = {plainDecimal(r.fullScale / 4), plainDecimal(r.fullScale / 2),
                       plainDecimal(r.fullScale / 4 * 3), plainDecimal(r.fullScale)};
        m_barLabelScale = r.fullScale;
    }
    s.negativeShown = r.value < 0;
    updateBar(s, r.value, r.fullScale);

    const QString stamp = stampFor(m_clock.now());
    if (table)
        table->setCurrentRowText(ColStamp, stamp);

    record.value = r.value;
    record.funcName = s.funcName;
    record.nr = n;
    record.stamp = stamp;
    record.unit = s.unit;

    if (m_views.readout)
        m_views.readout->drawReadout(s);

    if (!m_vars.browsing) {
        m_vars.followLive();
        if (ChartView *chart = m_views.trendChart) {
            chart->relabelX(m_vars.pageFirst);
            chart->clearAndRedraw();
        }
        if (m_views.graph) {
            if (ChartView *graph = m_views.graph->openGraphChart()) {
                graph->relabelX(m_vars.pageFirst);
                graph->clearAndRedraw();
            }
        }
    }

    if (m_vars.isFull() && m_views.limit)
        m_views.limit->runLimitFlow();
}
