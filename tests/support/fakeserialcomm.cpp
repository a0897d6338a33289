#include "fakeserialcomm.h"

void FakeSerialComm::deliver(QByteArrayView bytes, qint64 nowMs)
{
    if (!m_open)
        return;
    m_buffer.append(bytes, nowMs);
    if (m_threshold > 0 && m_buffer.size() >= m_threshold) {
        m_commEvent = comEvReceive;
        emit OnComm();
    }
}

void FakeSerialComm::loseDevice(const QString &reason)
{
    m_open = false;
    m_buffer.takeAll();
    m_error = OpenError::Other;
    m_errorString = reason;
    emit deviceLost(reason);
}

bool FakeSerialComm::setPortOpen(bool open)
{
    if (!open) {
        m_open = false;
        m_buffer.takeAll();
        return true;
    }
    const QString path = devicePath();
    if (m_open) {
        m_error = OpenError::Other;
        m_errorString = QStringLiteral("port already open");
        return false;
    }
    if (auto it = refusals.constFind(path); it != refusals.constEnd()) {
        m_error = *it;
        m_errorString = QStringLiteral("refused");
        return false;
    }
    m_error = OpenError::None;
    m_errorString.clear();
    m_open = true;
    opened << path;
    return true;
}
