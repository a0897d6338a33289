#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The serial communications component the program listens to the meter through.
// It owns one port, buffers what arrives and raises OnComm once RThreshold bytes wait.
// It never transmits and knows nothing about frames beyond the quiet-line rule of
// ReceiveBuffer. Member names are the ones the forms use.
class SerialComm : public QObject {
    Q_OBJECT
public:
    static constexpr int comEvReceive = 2; // CommEvent: the receive threshold was reached

    enum class OpenError { None, NotFound, PermissionDenied, Busy, Other };

    using QObject::QObject;
    ~SerialComm() override = default;

    // Port number 1..16 ("COMn" is /dev/ttyUSB(n-1) here); clears an explicit device.
    virtual void setCommPort(int port) = 0;
    virtual int CommPort() const = 0;
    // An explicit device (a pseudo-terminal, /dev/ttyACM0) in place of the numbered port.
    virtual void setDevicePath(const QString &path) = 0;
    // The device that opening takes: the explicit one, or the numbered port's node.
    virtual QString devicePath() const = 0;

    // Opening takes the port for this program alone. Returns false when the port could
    // not be opened or closed as asked; openError() and errorString() then tell why.
    virtual bool setPortOpen(bool open) = 0;
    virtual bool PortOpen() const = 0;
    virtual OpenError openError() const = 0;
    virtual QString errorString() const = 0;

    // 0: no receive notifications; n > 0: OnComm once n or more bytes wait.
    virtual void setRThreshold(int threshold) = 0;
    virtual int RThreshold() const = 0;

    virtual int InBufferCount() const = 0;
    // Only 0 is meaningful: discards everything waiting.
    virtual void setInBufferCount(int count) = 0;
    // All waiting bytes, first received first, removed from the buffer.
    virtual QByteArray Input() = 0;
    virtual int CommEvent() const = 0;

    static QString deviceForPort(int port) { return QStringLiteral("/dev/ttyUSB%1").arg(port - 1); }

signals:
    void OnComm();
    // The open device went away (cable pulled, read failure). The port is already closed.
    void deviceLost(const QString &reason);
};
