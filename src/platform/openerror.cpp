#include "openerror.h"

#include <unistd.h>

SerialComm::OpenError classifyOpenError(QSerialPort::SerialPortError error, const QString &devicePath)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return SerialComm::OpenError::NotFound;
    case QSerialPort::PermissionError: {
        // Qt reports a lock held by another program as a permission error too; whoever
        // may open the node for reading and writing is refused only because it is busy.
        const QByteArray native = devicePath.toLocal8Bit();
        return ::access(native.constData(), R_OK | W_OK) == 0 ? SerialComm::OpenError::Busy
                                                               : SerialComm::OpenError::PermissionDenied;
    }
    default:
        return SerialComm::OpenError::Other;
    }
}
