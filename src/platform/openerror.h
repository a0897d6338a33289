#pragma once

#include "meterlink/serialcomm.h"

#include <QSerialPort>

// What a failed QSerialPort::open means for the user.
SerialComm::OpenError classifyOpenError(QSerialPort::SerialPortError error, const QString &devicePath);
