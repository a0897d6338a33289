#pragma once

#include <QString>

// Where the meter's USB-to-serial bridge is: the system's map of serial devices.
class SerialPortMap {
public:
    virtual ~SerialPortMap() = default;
    // "COMn" for the bridge's port, a device path when it has no COM name, or empty
    // when no bridge is there.
    virtual QString bridgePortName() const = 0;
};

// Linux: the bridge is the first ttyUSB device bound to the cp210x driver; ttyUSBn is
// "COM(n+1)".
class SysfsSerialPortMap final : public SerialPortMap {
public:
    explicit SysfsSerialPortMap(QString sysRoot = QStringLiteral("/sys")) : m_sysRoot(std::move(sysRoot)) {}
    QString bridgePortName() const override;

private:
    QString m_sysRoot;
};
