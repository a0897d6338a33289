#include "ptypair.h"

#include "platform/qtserialcomm.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray kAwkwardFrame("\x00\x11\x13\x0D\x0A\xFF\x00\x09", 8);

void settle(int ms)
{
    QTest::qWait(ms);
}

} // namespace

class TestQtSerialComm : public QObject {
    Q_OBJECT
private slots:
    void portNumbersNameTtyUsbNodes();
    void bytesArriveIntact();
    void noNotificationWithoutThreshold();
    void strayBytesBeforeAPauseAreDropped();
    void hangUpClosesOnce();
    void missingAndBusyDevices();
};

void TestQtSerialComm::portNumbersNameTtyUsbNodes()
{
    QtSerialComm comm;
    QCOMPARE(comm.CommPort(), 3);
    QCOMPARE(comm.devicePath(), QStringLiteral("/dev/ttyUSB2"));
    comm.setCommPort(1);
    QCOMPARE(comm.devicePath(), QStringLiteral("/dev/ttyUSB0"));
    comm.setDevicePath(QStringLiteral("/dev/pts/9"));
    QCOMPARE(comm.devicePath(), QStringLiteral("/dev/pts/9"));
    comm.setCommPort(16);
    QCOMPARE(comm.devicePath(), QStringLiteral("/dev/ttyUSB15"));
}

void TestQtSerialComm::bytesArriveIntact()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    QtSerialComm comm;
    comm.setDevicePath(pty.slavePath());
    QVERIFY2(comm.setPortOpen(true), qPrintable(comm.errorString()));
    comm.setRThreshold(8);
    QSignalSpy spy(&comm, &SerialComm::OnComm);
    QVERIFY(pty.write(kAwkwardFrame));
    QVERIFY(spy.wait(2000));
    QCOMPARE(comm.CommEvent(), SerialComm::comEvReceive);
    QCOMPARE(comm.InBufferCount(), 8);
    QCOMPARE(comm.Input(), kAwkwardFrame);
    QCOMPARE(comm.InBufferCount(), 0);
}

void TestQtSerialComm::noNotificationWithoutThreshold()
{
    PtyPair pty;
    QtSerialComm comm;
    comm.setDevicePath(pty.slavePath());
    QVERIFY(comm.setPortOpen(true));
    QCOMPARE(comm.RThreshold(), 0);
    QSignalSpy spy(&comm, &SerialComm::OnComm);
    QVERIFY(pty.write(kAwkwardFrame));
    QTRY_COMPARE(comm.InBufferCount(), 8);
    settle(50);
    QCOMPARE(spy.count(), 0);
    comm.setInBufferCount(0);
    QCOMPARE(comm.InBufferCount(), 0);
    QCOMPARE(comm.Input(), QByteArray());
}

void TestQtSerialComm::strayBytesBeforeAPauseAreDropped()
{
    PtyPair pty;
    QtSerialComm comm;
    comm.setDevicePath(pty.slavePath());
    QVERIFY(comm.setPortOpen(true));
    comm.setRThreshold(8);
    QSignalSpy spy(&comm, &SerialComm::OnComm);
    QVERIFY(pty.write("\x7E\x7E\x7E"));
    QTRY_COMPARE(comm.InBufferCount(), 3);
    settle(80); // the line is quiet for longer than a resynchronisation tick
    QVERIFY(pty.write(kAwkwardFrame));
    QVERIFY(spy.wait(2000));
    QCOMPARE(comm.Input(), kAwkwardFrame);
}

void TestQtSerialComm::hangUpClosesOnce()
{
    PtyPair pty;
    QtSerialComm comm;
    comm.setDevicePath(pty.slavePath());
    QVERIFY(comm.setPortOpen(true));
    QSignalSpy lost(&comm, &SerialComm::deviceLost);
    pty.hangUp();
    QVERIFY(lost.wait(2000));
    settle(100);
    QCOMPARE(lost.count(), 1);
    QVERIFY(!comm.PortOpen());
}

void TestQtSerialComm::missingAndBusyDevices()
{
    QtSerialComm missing;
    missing.setDevicePath(QStringLiteral("/dev/ttyUSB-does-not-exist"));
    QVERIFY(!missing.setPortOpen(true));
    QCOMPARE(missing.openError(), SerialComm::OpenError::NotFound);
    QVERIFY(!missing.errorString().isEmpty());

    PtyPair pty;
    QtSerialComm first;
    first.setDevicePath(pty.slavePath());
    QVERIFY(first.setPortOpen(true));
    QtSerialComm second;
    second.setDevicePath(pty.slavePath());
    QVERIFY(!second.setPortOpen(true));
    QCOMPARE(second.openError(), SerialComm::OpenError::Busy);
    QVERIFY(!second.PortOpen());
    first.setPortOpen(false);
    QVERIFY2(second.setPortOpen(true), qPrintable(second.errorString()));
}

QTEST_GUILESS_MAIN(TestQtSerialComm)
#include "tst_qtserialcomm.moc"
