#include "pipelinerig.h"
#include "testframes.h"
#include "fakeclock.h"
#include "fakeserialcomm.h"
#include "recordingviews.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "platform/localeforms.h"

#include <QTest>

#include <functional>

namespace {

// Duty cycle, 100.00%: value = count * 0.01, bar k = value * 40 / 100.
QByteArray duty(int count, bool negative = false)
{
    return meterFrame(0, 8, negative ? 0x20 : 0,
                      {count / 10000 % 10, count / 1000 % 10, count / 100 % 10, count / 10 % 10,
                       count % 10});
}

class CountingLimit final : public LimitFlow {
public:
    std::function<void()> onRun;
    int runs = 0;
    void runLimitFlow() override
    {
        ++runs;
        if (onRun)
            onRun();
    }
};

// The pipeline with recording partners and an open port with frame reception on.
struct Rig : PipelineRig {
    CallLog log;
    RecordingTable table{log};
    RecordingReadout readoutView{log};
    RecordingChart chart{log, QStringLiteral("chart")};
    RecordingChart graphChart{log, QStringLiteral("graph")};
    RecordingGraphLink graph;
    CountingLimit limit;

    Rig()
    {
        pipeline.setViews({&table, &readoutView, &chart, &graph, &limit});
    }
};

} // namespace

class TestReadingPipeline : public QObject {
    Q_OBJECT
private slots:
    void wrongSizeIsDiscarded_data();
    void wrongSizeIsDiscarded();
    void firstReadingOfRun();
    void strayBytesBeforeAPauseAreDropped();
    void barGraph_data();
    void barGraph();
    void negativeZeroShowsNoMinusMark();
    void extremesAfterReset();
    void extremeOfExactly50000IsARealValue();
    void overloadBecomesExtremeText();
    void unknownFunctionKeepsTexts();
    void unknownRangeKeepsUnit();
    void browsingLeavesThePage();
    void graphWindowFollowsWhenOpen();
    void modalDialogBlocksLogging();
    void limitRunsAfterTheLastRecordIsDrawn();
};

void TestReadingPipeline::wrongSizeIsDiscarded_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("7 then 2 more") << 7;
    QTest::newRow("9") << 9;
    QTest::newRow("two frames") << 16;
}

void TestReadingPipeline::wrongSizeIsDiscarded()
{
    QFETCH(int, size);
    Rig rig;
    const ReadoutState before = rig.readout;
    // Delivered in one piece, so the quiet-line rule is not involved; 7 bytes alone
    // raise nothing, so complete them to 9 within the frame's own timing.
    QByteArray bytes = microfarads(1234).repeated(2).left(size);
    rig.comm.deliver(bytes, 10);
    if (size == 7)
        rig.comm.deliver("\x01\x02", 15);
    QCOMPARE(rig.comm.InBufferCount(), 0);
    QCOMPARE(rig.vars.recordCount, 0);
    QVERIFY(rig.log.calls.isEmpty());
    QCOMPARE(rig.readout.valueText, before.valueText);
    QCOMPARE(rig.readout.barLit, before.barLit);
}

void TestReadingPipeline::firstReadingOfRun()
{
    Rig rig;
    rig.send(meterFrame(1, 2, 0x20, {1, 2, 3, 4, 5}));

    const ReadoutState &s = rig.readout;
    QCOMPARE(s.valueText, QStringLiteral("-12.345"));
    QCOMPARE(s.unit, QStringLiteral("V"));
    QCOMPARE(s.rangeText, QStringLiteral("50.000V"));
    QCOMPARE(s.funcName, QStringLiteral("DC Spannung"));
    QCOMPARE(s.acdcText, QStringLiteral("DC"));
    QVERIFY(s.acdcShown);
    QVERIFY(s.showAuto);
    QVERIFY(s.negativeShown);
    QCOMPARE(s.barLit, 11); // 12.345 * 40 / 50 = 9.876 -> 10: segments 0..10
    QCOMPARE(s.barLabels, (std::array<QString, 4>{"12.5", "25", "37.5", "50"}));
    QCOMPARE(s.minText, QStringLiteral("-12.345"));
    QCOMPARE(s.maxText, QStringLiteral("-12.345"));

    QCOMPARE(rig.table.countCaption, QStringLiteral("1"));
    QCOMPARE(rig.table.rows.size(), std::size_t(1));
    const auto &row = rig.table.rows.front().cells;
    QCOMPARE(row[0], QStringLiteral("1"));
    QCOMPARE(row[1], QStringLiteral("DC Spannung"));
    QCOMPARE(row[2], QStringLiteral("-12.345"));
    QCOMPARE(row[3], QStringLiteral("V"));
    QCOMPARE(row[4], QStringLiteral("14.05.2012\\07:03:31"));

    const ReadingRecord &r = rig.vars.log[1];
    QCOMPARE(r.nr, 1);
    QCOMPARE(r.value, -(12345 * 0.001));
    QCOMPARE(r.funcName, QStringLiteral("DC Spannung"));
    QCOMPARE(r.unit, QStringLiteral("V"));
    QCOMPARE(r.valueText, QStringLiteral("-12.345"));
    QCOMPARE(r.stamp, QStringLiteral("14.05.2012\\07:03:31"));

    QCOMPARE(rig.vars.pageFirst, 1);
    QCOMPARE(rig.vars.pagePoints, 1);
    QCOMPARE(rig.log.calls, (QStringList{"count 1", "row 1", "readout", "chart relabel 1",
                                         "chart redraw"}));
}

void TestReadingPipeline::strayBytesBeforeAPauseAreDropped()
{
    Rig rig;
    // Noise, then a quiet line, then a whole frame: the frame is taken whole.
    rig.comm.deliver("\x55\xAA\x01", 1000);
    rig.comm.deliver(microfarads(4321), 1100);
    QCOMPARE(rig.vars.recordCount, 1);
    QCOMPARE(rig.vars.log[1].valueText, QStringLiteral("04321"));

    // A frame arriving in pieces within its own timing is one frame.
    rig.comm.deliver(microfarads(1111).left(3), 2000);
    rig.comm.deliver(microfarads(1111).mid(3), 2012);
    QCOMPARE(rig.vars.recordCount, 2);
    QCOMPARE(rig.vars.log[2].valueText, QStringLiteral("01111"));

    // Stray bytes right before a frame, without a pause: the 11 bytes are dropped.
    rig.comm.deliver("\x01\x02\x03", 3000);
    rig.comm.deliver(microfarads(2222), 3005);
    QCOMPARE(rig.vars.recordCount, 2);
    QCOMPARE(rig.comm.InBufferCount(), 0);
    rig.send(microfarads(3333));
    QCOMPARE(rig.vars.log[3].valueText, QStringLiteral("03333"));
}

void TestReadingPipeline::barGraph_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("barLit");
    QTest::newRow("zero lights segment 0") << 0 << false << 1;
    QTest::newRow("k 0.5 rounds to 0") << 125 << false << 1;
    QTest::newRow("k 1.5 rounds to 2") << 375 << false << 3;
    QTest::newRow("k 2.5 rounds to 2") << 625 << false << 3;
    QTest::newRow("negative k -20") << 5000 << true << 21;
    QTest::newRow("full scale lights all") << 10000 << false << 41;
}

void TestReadingPipeline::barGraph()
{
    QFETCH(int, count);
    QFETCH(bool, negative);
    Rig rig;
    rig.send(duty(count, negative));
    QTEST(rig.readout.barLit, "barLit");
    // Beyond full scale (k = 41.2) the bar keeps what it showed.
    rig.send(duty(10300));
    QTEST(rig.readout.barLit, "barLit");
    QCOMPARE(rig.readout.valueText, QStringLiteral("103.00"));
}

void TestReadingPipeline::negativeZeroShowsNoMinusMark()
{
    Rig rig;
    rig.send(duty(0, true));
    QCOMPARE(rig.readout.valueText, QStringLiteral("-000.00"));
    QVERIFY(!rig.readout.negativeShown);
}

void TestReadingPipeline::extremesAfterReset()
{
    Rig rig;
    rig.send(microfarads(100));
    rig.extremes.reset();
    rig.readout.minText = rig.readout.maxText = QStringLiteral("0");
    rig.send(microfarads(4));
    QCOMPARE(rig.readout.minText, QStringLiteral("00004"));
    QCOMPARE(rig.readout.maxText, QStringLiteral("00004"));
    for (int v : {5, 3, 7})
        rig.send(microfarads(v));
    QCOMPARE(rig.readout.minText, QStringLiteral("00003"));
    QCOMPARE(rig.readout.maxText, QStringLiteral("00007"));
    QCOMPARE(rig.extremes.varmin, 3.0);
    QCOMPARE(rig.extremes.varmax, 7.0);
}

void TestReadingPipeline::extremeOfExactly50000IsARealValue()
{
    Rig rig;
    rig.send(microfarads(50000));
    rig.send(microfarads(10));
    QCOMPARE(rig.readout.maxText, QStringLiteral("50000"));
    QCOMPARE(rig.readout.minText, QStringLiteral("00010"));
}

void TestReadingPipeline::overloadBecomesExtremeText()
{
    Rig rig;
    rig.send(meterFrame(1, 2, 0, {0, 1, 0, 0, 0}));       // 1.000 V
    rig.send(meterFrame(1, 0x22, 0, {0, 5, 0, 0, 0}));    // overload, value 5
    QCOMPARE(rig.readout.valueText, QStringLiteral(".OL"));
    QCOMPARE(rig.readout.maxText, QStringLiteral(".OL"));
    QCOMPARE(rig.vars.log[2].valueText, QStringLiteral(".OL"));
    QCOMPARE(rig.table.rows.front().cells[2], QStringLiteral(".OL"));
}

void TestReadingPipeline::unknownFunctionKeepsTexts()
{
    Rig rig;
    rig.send(meterFrame(1, 22, 0, {0, 0, 0, 4, 2}));
    QCOMPARE(rig.vars.log[1].funcName, QString());
    QCOMPARE(rig.vars.log[1].unit, QStringLiteral("Gerät"));
    QCOMPARE(rig.vars.log[1].valueText, QStringLiteral("00042"));
    QVERIFY(rig.table.rows.front().cells[1].isEmpty());
    QVERIFY(rig.table.rows.front().cells[3].isEmpty());

    rig.send(meterFrame(1, 2, 0, {0, 1, 0, 0, 0}));
    rig.send(meterFrame(1, 30, 0, {0, 0, 0, 0, 1}));
    QCOMPARE(rig.readout.funcName, QStringLiteral("DC Spannung"));
    QCOMPARE(rig.readout.rangeText, QStringLiteral("50.000V"));
    QCOMPARE(rig.vars.log[3].funcName, QStringLiteral("DC Spannung"));
    QCOMPARE(rig.vars.log[3].unit, QStringLiteral("V"));
    QVERIFY(rig.table.rows.front().cells[1].isEmpty());
    QCOMPARE(rig.readout.barLabels[3], QStringLiteral("40")); // scaled to 40
}

void TestReadingPipeline::unknownRangeKeepsUnit()
{
    Rig rig;
    rig.send(meterFrame(2, 7, 0, {0, 1, 2, 3, 4}));
    QCOMPARE(rig.vars.log[1].funcName, QStringLiteral("Frequenz"));
    QCOMPARE(rig.vars.log[1].unit, QStringLiteral("Gerät"));
    QCOMPARE(rig.readout.funcName, QStringLiteral("Frequenz"));
    QVERIFY(!rig.readout.acdcShown);
    QVERIFY(rig.table.rows.front().cells[1].isEmpty());
    QVERIFY(rig.table.rows.front().cells[3].isEmpty());
    QCOMPARE(rig.table.rows.front().cells[2], QStringLiteral("01234"));
}

void TestReadingPipeline::browsingLeavesThePage()
{
    Rig rig;
    for (int i = 0; i < 150; ++i)
        rig.send(microfarads(i));
    rig.vars.browsing = true;
    rig.vars.pageFirst = 1;
    rig.vars.pagePoints = 100;
    rig.log.calls.clear();
    rig.send(microfarads(7));
    QCOMPARE(rig.vars.recordCount, 151);
    QCOMPARE(rig.vars.pageFirst, 1);
    QCOMPARE(rig.vars.pagePoints, 100);
    QCOMPARE(rig.log.calls, (QStringList{"count 151", "row 151", "readout"}));
    QCOMPARE(rig.table.rows.size(), std::size_t(151));
}

void TestReadingPipeline::graphWindowFollowsWhenOpen()
{
    Rig rig;
    rig.graph.chart = &rig.graphChart;
    for (int i = 0; i < 101; ++i)
        rig.send(microfarads(i));
    QCOMPARE(rig.vars.pageFirst, 101);
    QCOMPARE(rig.log.calls.mid(rig.log.calls.size() - 4),
             (QStringList{"chart relabel 101", "chart redraw", "graph relabel 101", "graph redraw"}));
}

void TestReadingPipeline::modalDialogBlocksLogging()
{
    Rig rig;
    {
        ModalGate::Scope dialog(rig.modal);
        rig.send(microfarads(1));
        QCOMPARE(rig.vars.recordCount, 0);
        QCOMPARE(rig.comm.InBufferCount(), 0);
    }
    rig.send(microfarads(2));
    QCOMPARE(rig.vars.recordCount, 1);
    QCOMPARE(rig.vars.log[1].valueText, QStringLiteral("00002"));
}

void TestReadingPipeline::limitRunsAfterTheLastRecordIsDrawn()
{
    Rig rig;
    rig.vars.recordCount = ReadingLog::capacity - 1;
    rig.limit.onRun = [&] {
        rig.log.calls << QStringLiteral("limit at %1").arg(rig.vars.recordCount);
    };
    rig.send(microfarads(9));
    QCOMPARE(rig.limit.runs, 1);
    QCOMPARE(rig.vars.log[50000].valueText, QStringLiteral("00009"));
    QCOMPARE(rig.log.calls,
             (QStringList{"count 50000", "row 50000", "readout", "chart relabel 49901",
                          "chart redraw", "limit at 50000"}));
    // A full log drops frames without asking again.
    rig.send(microfarads(10));
    QCOMPARE(rig.limit.runs, 1);
    QCOMPARE(rig.vars.recordCount, 50000);
    QCOMPARE(rig.comm.InBufferCount(), 0);
}

QTEST_GUILESS_MAIN(TestReadingPipeline)
#include "tst_readingpipeline.moc"
