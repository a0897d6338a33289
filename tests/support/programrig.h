#pragma once

#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakeplatform.h"
#include "recordingprinter.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "platform/portprobe.h"
#include "platform/qtserialcomm.h"
#include "shell/connectform.h"
#include "shell/mainform.h"

#include <QComboBox>
#include <QProcess>

// One Kalvendo on a real line: its own state, the real serial component and port probe,
// fake dialogs, clock and printer. Load it with ProgramRig::form.MDIForm_Load().
struct ProgramRig {
    GVarMod vars;
    ReadoutState readout;
    ModalGate modal;
    QtSerialComm comm;
    FakeFileDialog mainDialog, dataDialog;
    FakeMessageBox messages;
    FakeClock clock;
    const LocaleForms forms{QLocale(QLocale::German, QLocale::Germany)};
    FakePortMap portMap;
    SerialPortProbe probe;
    RecordingPrinter printer;
    MainForm form{{vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap, probe,
                   modal, printer}};

    ProgramRig() { form.show(); }

    // Types the device into the port box and clicks the connect button.
    void connectTo(const QString &device)
    {
        form.connectForm()->Combo1->setEditText(device);
        form.connectForm()->btn_conn_Click();
    }
};

#ifdef KALVENDO_METERSIM
// Starts the meter simulator and returns the device it serves, or empty text.
inline QString startSimulator(QProcess &simulator, const QStringList &arguments)
{
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(QStringLiteral(KALVENDO_METERSIM), arguments);
    if (!simulator.waitForReadyRead(5000))
        return {};
    return QString::fromLocal8Bit(simulator.readLine()).trimmed();
}
#endif
