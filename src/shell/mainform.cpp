#include "mainform.h"

#include "connectform.h"
#include "graph/graphform.h"
#include "graph/graphprint.h"
#include "meterlink/gvarmod.h"
#include "meterlink/limitflow.h"
#include "meterlink/serialcomm.h"
#include "platform/messagebox.h"
#include "platform/pictures.h"
#include "platform/serialportmap.h"
#include "readout/showform.h"
#include "table/dataform.h"
#include "table/logfiles.h"

#include <QCloseEvent>
#include <QLabel>
#include <QComboBox>
#include <QTimer>
#include <QGuiApplication>
#include <QScreen>

MainForm::MainForm(const Services &services, QWidget *parent)
    : QWidget(parent), m_services(services),
      m_pipeline(services.comm, services.vars, services.readout, extremes, services.clock,
                 services.forms, services.modal)
{
    setObjectName(QStringLiteral("MainForm"));
    // A fixed frame: no maximize box, and a client area the window manager frames.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientSize);

    setWindowTitle(QStringLiteral("Kalvendo"));
    setWindowIcon(QIcon(picture(QStringLiteral("instrument"), {32, 32})));
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Dark)); // the workspace behind the panels
    setPalette(p);
    setAutoFillBackground(true);

    m_show = new ShowForm(services.vars, services.readout, extremes, this);
    m_connect = new ConnectForm(services.comm, services.probe, services.messages, *m_show, this);
    const auto startResync = [this] { m_connect->startResync(); };
    m_data = new DataForm(services.vars, services.clock, services.forms, services.dataDialog,
                          services.messages, services.printer, *m_show, startResync, this);
    m_limit = std::make_unique<LogLimitFlow>(
        LimitFlowPartners{services.vars, services.clock, services.forms, services.messages,
                          services.mainDialog, *m_data, *m_show, services.comm, startResync});

    m_pipeline.setViews({m_data, m_show, m_show, m_show, m_limit.get()});
    connect(&services.comm, &SerialComm::OnComm, this, [this] { m_pipeline.MSComm1_OnComm(); });
    connect(m_show, &ShowForm::graphPrintRequested, this, &MainForm::printGraphForm);
}

void MainForm::printGraphForm(GraphForm *graph)
{
    const GraphCaptions captions = graphCaptions([graph](int k) { return graph->yLabelCaption(k); },
                                                 [graph](int i) { return graph->xLabelCaption(i); },
                                                 m_data->Label1->text());
    printGraph(m_services.printer, m_services.vars, captions, m_services.messages);
}

MainForm::~MainForm() = default;

void MainForm::MDIForm_Load(const QString &startPort)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_connect->Form_Load();
    m_show->Form_Load();
    m_data->Form_Load();

    extremes.reset();

    const QString portName = startPort.isEmpty() ? m_services.portMap.bridgePortName() : startPort;
    if (portName.isEmpty())
        return; // no bridge: OFFLINE, the user connects by hand
    openStartPort(portName);
}

void MainForm::openStartPort(const QString &portName)
{
    SerialComm &comm = m_services.comm;
    if (const int n = ConnectForm::portNumber(portName))
        comm.setCommPort(n);
    else if (portName.startsWith(u'/'))
        comm.setDevicePath(portName); // a bridge without a COM name is opened itself
    if (!comm.setPortOpen(true)) {
        m_connect->Combo1->setEditText(portName);
        m_services.messages.tell(
            ConnectForm::portErrorText(comm.openError(), comm.devicePath(), comm.errorString()));
        return;
    }
    m_connect->showConnected(portName);
}

void MainForm::closeEvent(QCloseEvent *event)
{
    MDIForm_Unload();
    event->accept();
}

void MainForm::MDIForm_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    SerialComm &comm = m_services.comm;
    if (comm.PortOpen())
        comm.setPortOpen(false);
    m_show->closeGraphForm();
    // Nothing may open the port again while the question and the dialog are up.
    m_connect->Timer1->stop();
    m_connect->btn_connTimer->stop();
    m_connect->reconnectTimer->stop();
    if (m_services.vars.recordCount == 0)
        return;
    const LogFileServices files{m_services.vars, m_services.clock, m_services.forms,
                                m_services.messages};
    // A save that failed loses nothing yet: the question comes again until the log is
    // saved or the user decides against it.
    while (m_services.messages.askYesNo(QStringLiteral("Möchten Sie abspeichern?"))) {
        if (saveTextReport(files, m_services.mainDialog, QStringLiteral("Kalvendo Report"))
            != SaveResult::Failed)
            break;
    }
}
