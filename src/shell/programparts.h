#pragma once

#include "services.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readoutstate.h"
#include "platform/clock.h"
#include "platform/localeforms.h"
#include "platform/portprobe.h"
#include "platform/qtfiledialog.h"
#include "platform/qtmessagebox.h"
#include "platform/qtprinter.h"
#include "platform/qtserialcomm.h"
#include "platform/serialportmap.h"

// The program-wide state with its initial values and the real adapters, as Main puts
// them together for the main window.
struct ProgramParts {
    GVarMod vars; // recordCount 0, pagePoints 0, pageFirst 1, yScale 400, browsing false
    ReadoutState readout;
    ModalGate modal;
    QtSerialComm comm;
    QtFileDialog mainDialog{modal};
    QtFileDialog dataDialog{modal};
    QtMessageBox messages{modal};
    SystemClock clock;
    const LocaleForms forms;
    const SysfsSerialPortMap portMap;
    SerialPortProbe probe;
    QtPrinter printer;

    explicit ProgramParts(const QLocale &locale = QLocale::system(), QString sysRoot = QStringLiteral("/sys"))
        : forms(locale), portMap(std::move(sysRoot))
    {
    }

    Services services()
    {
        return {vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap, probe, modal,
                printer};
    }

    // The dialogs open over the main window.
    void setDialogParent(QWidget *window)
    {
        mainDialog.setParent(window);
        dataDialog.setParent(window);
        messages.setParent(window);
    }
};
