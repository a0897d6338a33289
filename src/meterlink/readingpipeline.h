#pragma once

#include "pipelineviews.h"

#include <QDateTime>
#include <QString>

class Clock;
class GVarMod;
class LocaleForms;
class ModalGate;
class SerialComm;
struct ReadoutState;
struct RunningExtremes;

// The handler of the serial component's OnComm: takes one frame when exactly 8 bytes
// wait and the log has room, decodes it, updates the readout, the table and the log,
// and moves the charts along with the newest reading.
class ReadingPipeline {
public:
    ReadingPipeline(SerialComm &comm, GVarMod &vars, ReadoutState &readout,
                    RunningExtremes &extremes, const Clock &clock, const LocaleForms &forms,
                    const ModalGate &modal);

    void setViews(const PipelineViews &views) { m_views = views; }

    void MSComm1_OnComm();

private:
    void discardWaiting();
    const QString &stampFor(const QDateTime &now);

    // The stamp and the bar graph's scale change far less often than readings arrive
    // (once a second, once per range change); they are made once and shared.
    QDate m_stampDate;
    QTime m_stampTime;
    QString m_stamp;
    double m_barLabelScale = -1;

    SerialComm &m_comm;
    GVarMod &m_vars;
    ReadoutState &m_readout;
    RunningExtremes &m_extremes;
    const Clock &m_clock;
    const LocaleForms &m_forms;
    const ModalGate &m_modal;
    PipelineViews m_views;
};
