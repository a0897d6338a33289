#pragma once

#include "meterlink/serialcomm.h"
#include "platform/dialout.h"

#include <QWidget>

#include <array>

class LinkStateView;
class MessageBox;
class PictureButton;
class PortProbe;
class QComboBox;
class QLabel;
class QTimer;

// The strip across the top of the main window: the port to connect to, the connect
// button, the link row between the instrument and the computer, and OFFLINE or ONLINE.
// It also owns the resynchronisation that aligns the meter's frames.
class ConnectForm final : public QWidget {
    Q_OBJECT
public:
    ConnectForm(SerialComm &comm, PortProbe &probe, MessageBox &messages, LinkStateView &readout,
                QWidget *parent = nullptr);

    void Form_Load();

    // The state the start-up's automatic open leaves: port name shown, button pale, the
    // resynchronisation running.
    void showConnected(const QString &portName);
    // Stop frame reception and wait for a quiet line before taking frames again.
    void startResync();

    void Combo1_Click();
    void btn_conn_Click();
    void btn_connTimer_Timer();
    void Timer1_Timer();
    // The device went away while open: offline as after a pick from the list.
    void deviceLost();

    static int portNumber(const QString &portName); // 1..16 for "COM1".."COM16", else 0
    // "port error!" with what the user can do about it on a second line.
    static QString portErrorText(SerialComm::OpenError error, const QString &device,
                                 const QString &systemReason);
    static QString portErrorText(SerialComm::OpenError error, const QString &device,
                                 const QString &systemReason, DialoutState dialout);

    // After the device went away while open, once a second: is it back? Then connect to
    // it again as a click on the connect button would. Not after the user closed the port.
    void reconnectTimer_Timer();

    QComboBox *Combo1 = nullptr;
    PictureButton *btn_conn = nullptr;
    QLabel *Image2 = nullptr;
    std::array<QLabel *, 8> Image3{};
    QLabel *Image1 = nullptr;
    std::array<QLabel *, 2> Label1{};
    QTimer *Timer1 = nullptr;
    QTimer *btn_connTimer = nullptr;
    QTimer *reconnectTimer = nullptr;
    int colourCounter = 2;
    // A line that never pauses is no meter: after this many busy ticks (5 s) the user
    // is told, once per wait.
    static constexpr int busyTicksBeforeNotice = 250;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setButtonPicture(int index);
    void setLinkRow(int index);
    void goOffline();
    bool openAndConnect(const QString &portName, const QString &device, bool quiet);

    QString m_lostPortName; // the port to watch for after a loss, as the box showed it
    QString m_lostDevice;   // and its device
    int m_busyTicks = 0;    // resynchronisation ticks in a row that found bytes waiting

    SerialComm &m_comm;
    PortProbe &m_probe;
    MessageBox &m_messages;
    LinkStateView &m_readout;
};
