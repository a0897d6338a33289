#include "qtserialcomm.h"

#include "openerror.h"

#include "meterlink/framelog.h"


QtSerialComm::QtSerialComm(QObject *parent) : SerialComm(parent)
{
    m_monotonic.start();
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialComm::readArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialComm::errorOccurred);
}

QtSerialComm::~QtSerialComm()
{
    // Closing from the destructor must not tell an owner that is being torn down.
    m_port.disconnect(this);
    m_port.close();
}

void QtSerialComm::setCommPort(int port)
{
    m_commPort = port;
    m_devicePath.clear();
}

QString QtSerialComm::devicePath() const
{
    return m_devicePath.isEmpty() ? deviceForPort(m_commPort) : m_devicePath;
}

void QtSerialComm::fail(OpenError error, const QString &text)
{
    m_openError = error;
    m_errorString = text;
}

bool QtSerialComm::setPortOpen(bool open)
{
    if (!open) {
        m_port.close();
        m_buffer.takeAll();
        return true;
    }
    if (m_port.isOpen()) {
        fail(OpenError::Other, QStringLiteral("port already open"));
        return false;
    }
    m_openError = OpenError::None;
    m_errorString.clear();
    const QString path = devicePath();
    m_port.setPortName(path);
    if (!m_port.open(QIODevice::ReadOnly)) {
        fail(classifyOpenError(m_port.error(), path), m_port.errorString());
        m_port.clearError();
        return false;
    }
    if (!configureLine()) {
        fail(OpenError::Other, m_port.errorString());
        m_port.close();
        return false;
    }
    m_buffer.takeAll();
    return true;
}

bool QtSerialComm::configureLine()
{
    // A pseudo-terminal forces 8 data bits and no parity by itself and refuses the
    // modem lines; the meter needs neither handshake nor DTR/RTS, so they stay alone.
    return m_port.setBaudRate(QSerialPort::Baud2400) && m_port.setDataBits(QSerialPort::Data8)
           && m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop)
           && m_port.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialComm::setInBufferCount(int count)
{
    if (count != 0)
        return;
    const QByteArray discarded = m_buffer.takeAll();
    if (!discarded.isEmpty())
        qCDebug(lcFrames).noquote() << "discarded" << discarded.size() << "bytes:"
                                    << discarded.toHex(' ');
}

QByteArray QtSerialComm::Input()
{
    return m_buffer.takeAll();
}

void QtSerialComm::readArrived()
{
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return;
    const QByteArray stale = m_buffer.append(bytes, m_monotonic.elapsed());
    if (!stale.isEmpty())
        qCDebug(lcFrames).noquote() << "quiet gap, discarded" << stale.size()
                                    << "stray bytes:" << stale.toHex(' ');
    if (m_buffer.size() > receiveBufferSize) {
        // Overrun: nobody took the bytes in time. They are useless as frames anyway.
        const QByteArray dropped = m_buffer.takeAll();
        qCDebug(lcFrames).noquote() << "overrun, discarded" << dropped.size() << "bytes";
        return;
    }
    if (m_threshold > 0 && m_buffer.size() >= m_threshold) {
        m_commEvent = comEvReceive;
        emit OnComm();
    }
}

void QtSerialComm::errorOccurred(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (!m_port.isOpen())
        return;
    // Qt repeats these in a tight loop while the port stays open: close it now.
    const QString reason = m_port.errorString();
    m_port.clearError();
    m_port.close();
    m_buffer.takeAll();
    m_openError = OpenError::Other;
    m_errorString = reason;
    emit deviceLost(reason);
}
