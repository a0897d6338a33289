#pragma once

#include "../meterlink/receivebuffer.h"
#include "../meterlink/serialcomm.h"

#include <QElapsedTimer>
#include <QSerialPort>

// The serial component over QSerialPort: 2400 baud 8N1, raw bytes, receive only.
// Notifications arrive on the thread the object lives in, the user-interface thread.
class QtSerialComm final : public SerialComm {
    Q_OBJECT
public:
    static constexpr int receiveBufferSize = 1024;
    static constexpr int initialCommPort = 3;

    explicit QtSerialComm(QObject *parent = nullptr);
    ~QtSerialComm() override;

    void setCommPort(int port) override;
    int CommPort() const override { return m_commPort; }
    void setDevicePath(const QString &path) override { m_devicePath = path; }
    QString devicePath() const override;

    bool setPortOpen(bool open) override;
    bool PortOpen() const override { return m_port.isOpen(); }
    OpenError openError() const override { return m_openError; }
    QString errorString() const override { return m_errorString; }

    void setRThreshold(int threshold) override { m_threshold = threshold; }
    int RThreshold() const override { return m_threshold; }

    int InBufferCount() const override { return m_buffer.size(); }
    void setInBufferCount(int count) override;
    QByteArray Input() override;
    int CommEvent() const override { return m_commEvent; }

private:
    void readArrived();
    void errorOccurred(QSerialPort::SerialPortError error);
    bool configureLine();
    void fail(OpenError error, const QString &text);

    QSerialPort m_port;
    ReceiveBuffer m_buffer;
    QElapsedTimer m_monotonic;
    int m_commPort = initialCommPort;
    QString m_devicePath;
    int m_threshold = 0;
    int m_commEvent = 0;
    OpenError m_openError = OpenError::None;
    QString m_errorString;
};
