#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair: the test writes to the master, the program opens the slave
// by its path as it would a serial device.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    bool write(const QByteArray &bytes);
    // Closes the master: the slave's reader sees a hang-up.
    void hangUp();

private:
    int m_master = -1;
    int m_slaveKeep = -1; // keeps the slave alive until the program has opened it
    QString m_slavePath;
};
