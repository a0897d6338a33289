#include "ptypair.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    int slave = -1;
    if (::openpty(&m_master, &slave, name, nullptr, nullptr) != 0) {
        m_master = -1;
        return;
    }
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    m_slavePath = QString::fromLocal8Bit(name);
    // Keeping one slave descriptor open means the master sees no hang-up between the
    // test's set-up and the program's open.
    m_slaveKeep = slave;
}

PtyPair::~PtyPair()
{
    hangUp();
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
}

bool PtyPair::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void PtyPair::hangUp()
{
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}
