#include "platform/serialportmap.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestSerialPortMap : public QObject {
    Q_OBJECT
private slots:
    void bridgeLookup_data();
    void bridgeLookup();
};

void TestSerialPortMap::bridgeLookup_data()
{
    QTest::addColumn<QStringList>("cp210x");
    QTest::addColumn<QStringList>("otherDriver");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << QStringList{"ttyUSB0"} << "";
    QTest::newRow("ttyUSB0 is COM1") << QStringList{"ttyUSB0"} << QStringList{} << "COM1";
    QTest::newRow("first of two") << QStringList{"ttyUSB7", "ttyUSB3"} << QStringList{"ttyUSB0"} << "COM4";
    QTest::newRow("ttyUSB15 is COM16") << QStringList{"ttyUSB15"} << QStringList{} << "COM16";
    QTest::newRow("beyond COM16: the device") << QStringList{"ttyUSB16"} << QStringList{} << "/dev/ttyUSB16";
    QTest::newRow("other entries ignored") << QStringList{"bind", "module", "ttyUSBx"} << QStringList{} << "";
}

void TestSerialPortMap::bridgeLookup()
{
    QFETCH(QStringList, cp210x);
    QFETCH(QStringList, otherDriver);
    QTemporaryDir sys;
    QDir root(sys.path());
    root.mkpath("bus/usb-serial/drivers/cp210x");
    root.mkpath("bus/usb-serial/drivers/ftdi_sio");
    // In sysfs the bound devices are links into the device tree; plain folders do here.
    for (const QString &name : cp210x)
        root.mkpath("bus/usb-serial/drivers/cp210x/" + name);
    for (const QString &name : otherDriver)
        root.mkpath("bus/usb-serial/drivers/ftdi_sio/" + name);
    QTEST(SysfsSerialPortMap(sys.path()).bridgePortName(), "expected");
}

QTEST_APPLESS_MAIN(TestSerialPortMap)
#include "tst_serialportmap.moc"
