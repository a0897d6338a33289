#pragma once

#include "meterlink/serialcomm.h"

#include <QString>

// The test open made before connecting: it fails when the device is absent, refused,
// or held by another program.
class PortProbe {
public:
    struct Failure {
        SerialComm::OpenError error = SerialComm::OpenError::None;
        QString reason; // the system's words
    };
    virtual ~PortProbe() = default;
    virtual bool probe(const QString &devicePath, Failure *failure) = 0;
};

// An exclusive open through the same locks the serial component takes, so that a port
// held by another Kalvendo is found busy too, even for root.
class SerialPortProbe final : public PortProbe {
public:
    bool probe(const QString &devicePath, Failure *failure) override;
};
