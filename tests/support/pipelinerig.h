#pragma once

#include "fakeclock.h"
#include "fakeserialcomm.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"

// The reading pipeline on the fake serial component, the port open and frame reception
// on. A test derives from it, adds the partners it wants and hands them to setViews.
struct PipelineRig {
    FakeSerialComm comm;
    GVarMod vars;
    ReadoutState readout;
    RunningExtremes extremes;
    FakeClock clock;
    LocaleForms forms{QLocale(QLocale::German, QLocale::Germany)};
    ModalGate modal;
    ReadingPipeline pipeline{comm, vars, readout, extremes, clock, forms, modal};
    qint64 now = 0;

    PipelineRig()
    {
        QObject::connect(&comm, &SerialComm::OnComm, [this] { pipeline.MSComm1_OnComm(); });
        comm.setPortOpen(true);
        comm.setRThreshold(8);
    }
    PipelineRig(const PipelineRig &) = delete;
    PipelineRig &operator=(const PipelineRig &) = delete;

    // One frame at line pace: a pause well above the quiet gap before it.
    void send(const QByteArray &bytes)
    {
        now += 250;
        comm.deliver(bytes, now);
    }
};
