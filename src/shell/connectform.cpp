#include "connectform.h"

#include "platform/messagebox.h"
#include "platform/picturebutton.h"
#include "platform/pictures.h"
#include "platform/portprobe.h"
#include "platform/uifonts.h"
#include "readout/showform.h"

#include <QComboBox>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int kPaleButton = 1;
constexpr int kGreenButton = 4;
constexpr int kLinkOff = 1; // red prohibition sign
constexpr int kLinkOn = 2;  // yellow disc with an arrow

QString buttonPicture(int index)
{
    return QStringLiteral("conn_%1").arg(index);
}

} // namespace

ConnectForm::ConnectForm(SerialComm &comm, PortProbe &probe, MessageBox &messages,
                         LinkStateView &readout, QWidget *parent)
    : QWidget(parent), m_comm(comm), m_probe(probe), m_messages(messages), m_readout(readout)
{
    setObjectName(QStringLiteral("ConnectForm"));

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setGeometry(px(240), px(240), px(1695), px(315));
    Combo1->setEditText(QStringLiteral("COM3"));
    // Only a pick from the list is a click; typing, or a change made here, is not.
    connect(Combo1, &QComboBox::activated, this, &ConnectForm::Combo1_Click);

    btn_conn = new PictureButton(this);
    btn_conn->setGeometry(px(2040), px(120), px(1500), px(450));
    btn_conn->setCursor(Qt::PointingHandCursor);
    setButtonPicture(kGreenButton);
    connect(btn_conn, &PictureButton::clicked, this, &ConnectForm::btn_conn_Click);

    Image2 = new QLabel(this);
    Image2->setGeometry(px(3840), px(75), px(480), px(480));
    Image2->setPixmap(picture(QStringLiteral("instrument"), {32, 32}));
    for (int i = 0; i < 8; ++i) {
        QLabel *link = new QLabel(this);
        link->setGeometry(px(4440 + 600 * i), 0, px(600), px(615));
        Image3[std::size_t(i)] = link;
    }
    setLinkRow(kLinkOff);
    Image1 = new QLabel(this);
    Image1->setGeometry(px(9240), 0, px(600), px(615));
    Image1->setPixmap(picture(QStringLiteral("computer"), {40, 41}));

    const QFont stateFont = uiFont(QStringLiteral("MS Sans Serif"), 18, true);
    const QString captions[2] = {QStringLiteral("OFFLINE"), QStringLiteral("ONLINE")};
    const QColor colours[2] = {QColor(255, 0, 0), QColor(255, 255, 0)};
    for (int i = 0; i < 2; ++i) {
        QLabel *l = new QLabel(captions[i], this);
        l->setGeometry(px(9960), px(120), px(1935), px(495));
        l->setFont(stateFont);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colours[i]);
        l->setPalette(p);
        Label1[std::size_t(i)] = l;
    }
    Label1[1]->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(20);
    connect(Timer1, &QTimer::timeout, this, &ConnectForm::Timer1_Timer);
    btn_connTimer = new QTimer(this);
    btn_connTimer->setInterval(500);
    connect(btn_connTimer, &QTimer::timeout, this, &ConnectForm::btn_connTimer_Timer);
    btn_connTimer->start();

    reconnectTimer = new QTimer(this);
    reconnectTimer->setInterval(1000);
    connect(reconnectTimer, &QTimer::timeout, this, &ConnectForm::reconnectTimer_Timer);

    connect(&m_comm, &SerialComm::deviceLost, this, &ConnectForm::deviceLost);
}

void ConnectForm::Form_Load()
{
    setGeometry(0, 0, 938, 40);
    colourCounter = 2;
    for (int i = 1; i <= 16; ++i)
        Combo1->addItem(QStringLiteral("COM%1").arg(i));
    Combo1->setEditText(QStringLiteral("COM3"));
    Combo1->move(Combo1->x(), px(200));
}

void ConnectForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(QStringLiteral("connectform_bg"), {950, 40}));
}

void ConnectForm::setButtonPicture(int index)
{
    btn_conn->setPixmap(picture(buttonPicture(index), {100, 30}));
    btn_conn->setProperty("pictureIndex", index);
}

void ConnectForm::setLinkRow(int index)
{
    const QPixmap pixmap = picture(index == kLinkOn ? QStringLiteral("link_on") : QStringLiteral("link_off"),
                                   {40, 41});
    for (QLabel *l : Image3) {
        l->setPixmap(pixmap);
        l->setProperty("pictureIndex", index);
    }
}

int ConnectForm::portNumber(const QString &portName)
{
    for (int n = 1; n <= 16; ++n)
        if (portName == QStringLiteral("COM%1").arg(n))
            return n;
    return 0;
}

QString ConnectForm::portErrorText(SerialComm::OpenError error, const QString &device,
                                   const QString &systemReason)
{
    const DialoutState dialout = error == SerialComm::OpenError::PermissionDenied
                                     ? currentDialoutState()
                                     : DialoutState::Active;
    return portErrorText(error, device, systemReason, dialout);
}

QString ConnectForm::portErrorText(SerialComm::OpenError error, const QString &device,
                                   const QString &systemReason, DialoutState dialout)
{
    QString reason;
    switch (error) {
    case SerialComm::OpenError::NotFound:
        reason = QStringLiteral("Das Gerät %1 ist nicht vorhanden.").arg(device);
        break;
    case SerialComm::OpenError::Busy:
        reason = QStringLiteral("%1 wird schon von einem anderen Programm benutzt.").arg(device);
        break;
    case SerialComm::OpenError::PermissionDenied:
        switch (dialout) {
        case DialoutState::NotMember:
            reason = QStringLiteral("Kein Zugriff auf %1. Installieren Sie die udev-Regel für das "
                                    "Messgerät (70-kalvendo.rules) oder nehmen Sie Ihren Benutzer in die "
                                    "Gruppe dialout auf und melden Sie sich danach neu an.")
                         .arg(device);
            break;
        case DialoutState::JoinedNotLoggedIn:
            reason = QStringLiteral("Kein Zugriff auf %1. Sie sind schon in der Gruppe dialout, aber "
                                    "das gilt erst nach einer neuen Anmeldung: Bitte melden Sie sich ab "
                                    "und wieder an.")
                         .arg(device);
            break;
        case DialoutState::Active:
            reason = QStringLiteral("Kein Zugriff auf %1: %2").arg(device, systemReason);
            break;
        }
        break;
    default:
        reason = QStringLiteral("%1: %2").arg(device, systemReason);
    }
    return QStringLiteral("port error!\n") + reason;
}

void ConnectForm::btn_connTimer_Timer()
{
    if (colourCounter == 4)
        colourCounter = 1;
    ++colourCounter;
    setButtonPicture(colourCounter);
}

void ConnectForm::startResync()
{
    if (m_comm.RThreshold() != 0)
        m_comm.setRThreshold(0);
    m_busyTicks = 0;
    Timer1->start();
}

void ConnectForm::showConnected(const QString &portName)
{
    btn_connTimer->stop();
    Combo1->setEditText(portName);
    btn_conn->setEnabled(false);
    setButtonPicture(kPaleButton);
    startResync();
}

void ConnectForm::btn_conn_Click()
{
    const QString portName = Combo1->currentText();
    if (const int n = portNumber(portName))
        m_comm.setCommPort(n);
    else
        m_comm.setDevicePath(portName); // a typed device is opened as typed
    openAndConnect(portName, m_comm.devicePath(), false);
}

bool ConnectForm::openAndConnect(const QString &portName, const QString &device, bool quiet)
{
    PortProbe::Failure failure;
    const bool free = m_probe.probe(device, &failure);
    if (free && !m_comm.PortOpen()) {
        if (m_comm.setPortOpen(true)) {
            reconnectTimer->stop();
            Label1[0]->setToolTip({});
            showConnected(portName);
            return true;
        }
        failure = {m_comm.openError(), m_comm.errorString()};
    } else if (free) {
        failure = {SerialComm::OpenError::Other, QStringLiteral("Der Anschluss ist schon geöffnet.")};
    }
    if (!quiet)
        m_messages.tell(portErrorText(failure.error, device, failure.reason));
    return false;
}

void ConnectForm::reconnectTimer_Timer()
{
    if (m_comm.PortOpen()) {
        reconnectTimer->stop();
        return;
    }
    // The user may have tried another port meanwhile: watch for the lost one.
    if (const int n = portNumber(m_lostPortName))
        m_comm.setCommPort(n);
    else
        m_comm.setDevicePath(m_lostDevice);
    openAndConnect(m_lostPortName, m_comm.devicePath(), true);
}

void ConnectForm::goOffline()
{
    m_comm.setRThreshold(0);
    Timer1->stop();
    btn_connTimer->start();
    btn_conn->setEnabled(true);
    setLinkRow(kLinkOff);
    Label1[0]->show();
    Label1[1]->hide();
    m_readout.showOffline();
}

void ConnectForm::Combo1_Click()
{
    reconnectTimer->stop(); // the user chooses another port: stop waiting for the lost one
    Label1[0]->setToolTip({});
    if (!m_comm.PortOpen())
        return;
    m_comm.setPortOpen(false);
    goOffline();
}

void ConnectForm::deviceLost()
{
    goOffline();
    m_lostPortName = Combo1->currentText();
    m_lostDevice = m_comm.devicePath();
    Label1[0]->setToolTip(QStringLiteral("Die Verbindung zu %1 ist abgerissen. Kalvendo verbindet "
                                         "sich wieder, sobald das Gerät zurück ist.")
                              .arg(m_comm.devicePath()));
    reconnectTimer->start();
}

void ConnectForm::Timer1_Timer()
{
    // A resynchronisation started after the user closed the port has nothing to wait
    // for: the strip stays offline.
    if (!m_comm.PortOpen()) {
        Timer1->stop();
        return;
    }
    if (m_comm.InBufferCount() > 0) {
        m_comm.setInBufferCount(0);
        if (++m_busyTicks == busyTicksBeforeNotice)
            m_messages.tell(QStringLiteral("Auf %1 kommen ununterbrochen Daten, ohne die Pausen, die das "
                                           "Messgerät zwischen zwei Messwerten macht. Kalvendo wartet "
                                           "weiter auf eine ruhige Leitung. Bitte prüfen Sie, ob an "
                                           "diesem Anschluss das Messgerät angeschlossen ist.")
                                .arg(m_comm.devicePath()));
        return;
    }
    m_comm.setRThreshold(8);
    Timer1->stop();
    Label1[0]->hide();
    Label1[1]->show();
    m_readout.showOnline();
    setLinkRow(kLinkOn);
}
