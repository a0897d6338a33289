#include "serialportmap.h"

#include <QDir>
#include <QRegularExpression>

QString SysfsSerialPortMap::bridgePortName() const
{
    const QDir driver(m_sysRoot + QStringLiteral("/bus/usb-serial/drivers/cp210x"));
    static const QRegularExpression ttyUsb(QStringLiteral("^ttyUSB(\\d+)$"));
    int lowest = -1;
    for (const QString &entry : driver.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QRegularExpressionMatch m = ttyUsb.match(entry);
        if (!m.hasMatch())
            continue;
        const int n = m.captured(1).toInt();
        if (lowest < 0 || n < lowest)
            lowest = n;
    }
    if (lowest < 0)
        return {};
    if (lowest < 16)
        return QStringLiteral("COM%1").arg(lowest + 1);
    return QStringLiteral("/dev/ttyUSB%1").arg(lowest);
}
