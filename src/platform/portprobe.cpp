#include "portprobe.h"

#include "openerror.h"

bool SerialPortProbe::probe(const QString &devicePath, Failure *failure)
{
    QSerialPort port;
    port.setPortName(devicePath);
    if (!port.open(QIODevice::ReadOnly)) {
        failure->error = classifyOpenError(port.error(), devicePath);
        failure->reason = port.errorString();
        return false;
    }
    port.close();
    return true;
}
