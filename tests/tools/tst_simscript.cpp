#include "simscript.h"

#include <QTest>

#include <string>

using metersim::Frame;
using metersim::SimReading;
using metersim::Step;

// SimReading is a column type of the data-driven tests.
Q_DECLARE_METATYPE(metersim::SimReading)

namespace {

SimReading simReading(int function, int range, long long count)
{
    SimReading r;
    r.function = function;
    r.range = range;
    r.count = count;
    return r;
}

QString hexOf(const Frame &f)
{
    return QString::fromStdString(metersim::frameHex(f));
}

QString hexOf(const std::vector<std::uint8_t> &bytes)
{
    return QString::fromStdString(metersim::bytesHex(bytes));
}

} // namespace

class TestSimScript : public QObject {
    Q_OBJECT
private slots:
    void encodeReading_data();
    void encodeReading();
    void readingFor_data();
    void readingFor();
    void frameHexRoundTrip();
    void parseScriptSteps();
    void parseScriptErrors_data();
    void parseScriptErrors();
    void demoIsWholeFrames();
};

void TestSimScript::encodeReading_data()
{
    QTest::addColumn<SimReading>("reading");
    QTest::addColumn<QString>("hex");

    QTest::newRow("zero, 5.0000V") << simReading(2, 0, 0) << "00 02 00 00 00 00 00 00";
    SimReading neg = simReading(2, 1, 12345);
    neg.negative = true;
    QTest::newRow("-12.345 V") << neg << "01 02 20 01 02 03 04 05";
    SimReading olNeg = simReading(2, 0, 12345);
    olNeg.negative = true;
    olNeg.overload = true;
    QTest::newRow("overload and negative") << olNeg << "00 22 20 01 02 03 04 05";
    SimReading manualMaxMin = simReading(2, 1, 0);
    manualMaxMin.manualRange = true;
    manualMaxMin.minMaxMode = 3;
    QTest::newRow("byte 2 = 0x13") << manualMaxMin << "01 02 13 00 00 00 00 00";
    SimReading holdRel = simReading(12, 5, 1234);
    holdRel.hold = true;
    holdRel.relative = true;
    QTest::newRow("hold and rel") << holdRel << "05 4c 04 00 01 02 03 04";
    QTest::newRow("function 22") << simReading(22, 9, 42) << "09 16 00 00 00 00 04 02";
}

void TestSimScript::encodeReading()
{
    QFETCH(SimReading, reading);
    QFETCH(QString, hex);
    QCOMPARE(hexOf(metersim::encodeReading(reading)), hex);
}

void TestSimScript::readingFor_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("range");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<long long>("count");
    QTest::addColumn<bool>("negative");

    QTest::newRow("50.000V") << 2 << 1 << 12.345 << true << 12345LL << false;
    QTest::newRow("50.000V negative") << 2 << 1 << -12.345 << true << 12345LL << true;
    QTest::newRow("5000uF, no decimals") << 12 << 5 << 1234.0 << true << 1234LL << false;
    QTest::newRow("diode, any range") << 9 << 13 << 0.6 << true << 6000LL << false;
    QTest::newRow("5.0000kHz") << 7 << 3 << 1.0 << true << 10000LL << false;
    QTest::newRow("largest") << 2 << 1 << 99.999 << true << 99999LL << false;
    QTest::newRow("too large") << 2 << 1 << 100.0 << false << 0LL << false;
    QTest::newRow("Hz has no range 2") << 7 << 2 << 1.0 << false << 0LL << false;
    QTest::newRow("function 22") << 22 << 0 << 1.0 << false << 0LL << false;
}

void TestSimScript::readingFor()
{
    QFETCH(int, function);
    QFETCH(int, range);
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(long long, count);
    QFETCH(bool, negative);

    const auto r = metersim::readingFor(function, range, value);
    QCOMPARE(r.has_value(), fits);
    if (!r)
        return;
    QCOMPARE(r->function, function);
    QCOMPARE(r->range, range);
    QCOMPARE(r->count, count);
    QCOMPARE(r->negative, negative);
}

void TestSimScript::frameHexRoundTrip()
{
    const auto f = metersim::parseFrameHex("01 02 20 01 02 03 04 05");
    QVERIFY(f.has_value());
    QCOMPARE(hexOf(*f), QStringLiteral("01 02 20 01 02 03 04 05"));
    QVERIFY(!metersim::parseFrameHex("01 02 20").has_value());
}

void TestSimScript::parseScriptSteps()
{
    const char *script = "# a comment\n"
                         "\n"
                         "reading func=2 range=1 value=-12.345   # whole\n"
                         "noise 3\n"
                         "reading func=2 range=1 value=1         # the noise before the pause is dropped\n"
                         "raw 00 22 20 01 02 03 04 05 pause=10   # pause raised to 40 ms\n"
                         "double\n"
                         "burst 2 pause=0\n"
                         "reading func=2 range=1 value=2         # follows the burst at once\n"
                         "pause 100\n"
                         "unknown func=22 range=0 count=7\n"
                         "partial 5\n"
                         "hangup\n";
    std::string error;
    const std::vector<Step> steps = metersim::parseScript(script, &error, 250);
    QVERIFY2(error.empty(), error.c_str());
    QCOMPARE(steps.size(), std::size_t(11));

    const int whole[] = {1, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0};
    const std::size_t sizes[] = {8, 3, 8, 8, 16, 16, 8, 0, 8, 5, 0};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        QVERIFY2(steps[i].wholeFrames == whole[i], qPrintable(QString::number(i)));
        QCOMPARE(steps[i].bytes.size(), sizes[i]);
    }
    QCOMPARE(metersim::wholeFrameCount(steps), 4);
    QCOMPARE(hexOf(steps[0].bytes), QStringLiteral("01 02 20 01 02 03 04 05"));
    QCOMPARE(steps[0].pauseAfterMs, 250);
    QCOMPARE(steps[3].pauseAfterMs, metersim::kMinFrameGapMs);
    QCOMPARE(hexOf(steps[4].bytes), // double repeats the last frame
        QStringLiteral("00 22 20 01 02 03 04 05 00 22 20 01 02 03 04 05"));
    QCOMPARE(steps[7].pauseAfterMs, 100);
    QCOMPARE(hexOf(steps[9].bytes), QStringLiteral("00 16 00 00 00"));
    QVERIFY(steps[10].hangup);
}

void TestSimScript::parseScriptErrors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown command") << "reading func=2 range=1 value=1\n\nbogus 3"
                                     << "line 3: unknown command 'bogus'";
    QTest::newRow("missing value") << "reading func=2 range=1"
                                   << "line 1: missing value=";
    QTest::newRow("comma") << "reading func=2 range=1 value=1,5"
                           << "line 1: value=1,5 is not a number";
    QTest::newRow("too large") << "reading func=2 range=1 value=100"
                               << "line 1: value does not fit the five digits of function 2 "
                                  "range 1";
    QTest::newRow("short raw") << "raw 00 01"
                               << "line 1: raw needs exactly 8 hex bytes";
    QTest::newRow("open repeat") << "repeat 2 {\nnoise 1"
                                 << "line 2: 'repeat' block not closed with '}'";
}

void TestSimScript::parseScriptErrors()
{
    QFETCH(QString, script);
    QFETCH(QString, error);
    std::string message;
    const std::vector<Step> steps = metersim::parseScript(script.toStdString(), &message);
    QVERIFY(steps.empty());
    QCOMPARE(QString::fromStdString(message), error);
}

void TestSimScript::demoIsWholeFrames()
{
    const std::vector<Step> demo = metersim::demoScript(0, 250);
    QCOMPARE(int(demo.size()), metersim::kDemoCycleFrames);
    QCOMPARE(metersim::wholeFrameCount(demo), metersim::kDemoCycleFrames);
    QCOMPARE(hexOf(demo.front().bytes), QStringLiteral("01 02 00 00 05 00 00 00")); // 5.000 V
}

QTEST_APPLESS_MAIN(TestSimScript)
#include "tst_simscript.moc"
