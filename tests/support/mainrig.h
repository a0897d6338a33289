#pragma once

#include "testframes.h"
#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakeplatform.h"
#include "fakeserialcomm.h"
#include "recordingprinter.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "shell/mainform.h"

#include <memory>

// The whole program against fake adapters, as Main puts it together.
struct MainRig {
    GVarMod vars;
    ReadoutState readout;
    ModalGate modal;
    FakeSerialComm comm;
    FakeFileDialog mainDialog;
    FakeFileDialog dataDialog;
    FakeMessageBox messages;
    FakeClock clock;
    LocaleForms forms{QLocale(QLocale::German, QLocale::Germany)};
    FakePortMap portMap;
    FakeProbe probe;
    RecordingPrinter printer;
    std::unique_ptr<MainForm> form;
    qint64 now = 0;

    Services services()
    {
        return {vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap, probe, modal, printer};
    }

    MainForm &load(const QString &startPort = {})
    {
        form = std::make_unique<MainForm>(services());
        form->show();
        form->MDIForm_Load(startPort);
        return *form;
    }

    // One frame at line pace.
    void send(const QByteArray &bytes)
    {
        now += 250;
        comm.deliver(bytes, now);
    }
};

