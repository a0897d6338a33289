#pragma once

#include "meterlink/receivebuffer.h"
#include "meterlink/serialcomm.h"

#include <QHash>
#include <QStringList>

// A serial component driven by the test: bytes are delivered with an explicit arrival
// time, through the same receive buffer and threshold rule as the real component.
class FakeSerialComm final : public SerialComm {
    Q_OBJECT
public:
    using SerialComm::SerialComm;

    // Arrival of bytes at nowMs; raises OnComm like the real component.
    void deliver(QByteArrayView bytes, qint64 nowMs);
    void loseDevice(const QString &reason);

    // Devices that refuse to open, with the error they give.
    QHash<QString, OpenError> refusals;
    QStringList opened; // every device path opened, in order

    void setCommPort(int port) override { m_commPort = port; m_devicePath.clear(); }
    int CommPort() const override { return m_commPort; }
    void setDevicePath(const QString &path) override { m_devicePath = path; }
    QString devicePath() const override
    {
        return m_devicePath.isEmpty() ? deviceForPort(m_commPort) : m_devicePath;
    }
    bool setPortOpen(bool open) override;
    bool PortOpen() const override { return m_open; }
    OpenError openError() const override { return m_error; }
    QString errorString() const override { return m_errorString; }
    void setRThreshold(int threshold) override { m_threshold = threshold; }
    int RThreshold() const override { return m_threshold; }
    int InBufferCount() const override { return m_buffer.size(); }
    void setInBufferCount(int count) override
    {
        if (count == 0)
            m_buffer.takeAll();
    }
    QByteArray Input() override { return m_buffer.takeAll(); }
    int CommEvent() const override { return m_commEvent; }

private:
    ReceiveBuffer m_buffer;
    int m_commPort = 3;
    QString m_devicePath;
    bool m_open = false;
    int m_threshold = 0;
    int m_commEvent = 0;
    OpenError m_error = OpenError::None;
    QString m_errorString;
};
