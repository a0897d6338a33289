#include "meterlink/gvarmod.h"

#include <QTest>

class TestReadingLog : public QObject {
    Q_OBJECT
private slots:
    void initialState();
    void livePage_data();
    void livePage();
    void clearKeepsPageAndRecords();
};

void TestReadingLog::initialState()
{
    const GVarMod vars;
    QCOMPARE(vars.recordCount, 0);
    QCOMPARE(vars.pageFirst, 1);
    QCOMPARE(vars.pagePoints, 0);
    QCOMPARE(vars.browsing, false);
    QCOMPARE(vars.yScale, 400);
}

void TestReadingLog::livePage_data()
{
    QTest::addColumn<int>("recordCount");
    QTest::addColumn<int>("pagePoints");
    QTest::addColumn<int>("pageFirst");
    QTest::newRow("empty") << 0 << 0 << 1;
    QTest::newRow("first") << 1 << 1 << 1;
    QTest::newRow("99") << 99 << 99 << 1;
    QTest::newRow("100") << 100 << 100 << 1;
    QTest::newRow("101") << 101 << 1 << 101;
    QTest::newRow("250") << 250 << 50 << 201;
    QTest::newRow("full") << 50000 << 100 << 49901;
}

void TestReadingLog::livePage()
{
    QFETCH(int, recordCount);
    GVarMod vars;
    for (int i = 0; i < recordCount; ++i)
        vars.log[vars.appendRecord()].nr = i + 1;
    vars.browsing = true;
    vars.followLive();
    QTEST(vars.pagePoints, "pagePoints");
    QTEST(vars.pageFirst, "pageFirst");
    QVERIFY(vars.browsing); // following the live page is not the "last page" action
    QCOMPARE(vars.recordCount, recordCount);
    if (recordCount > 0)
        QCOMPARE(vars.log[recordCount].nr, recordCount);
}

void TestReadingLog::clearKeepsPageAndRecords()
{
    GVarMod vars;
    while (!vars.isFull()) {
        const int n = vars.appendRecord();
        vars.log[n].nr = n;
        vars.log[n].valueText = QString::number(n);
    }
    vars.followLive();
    vars.browsing = true;
    vars.clearLog();
    QCOMPARE(vars.recordCount, 0);
    QCOMPARE(vars.browsing, false);
    QCOMPARE(vars.pageFirst, 49901);
    QCOMPARE(vars.pagePoints, 100);
    QCOMPARE(vars.log[4].valueText, QStringLiteral("4")); // old data stays above the count

    for (int i = 0; i < 3; ++i)
        vars.log[vars.appendRecord()].valueText = QStringLiteral("new");
    vars.followLive();
    QCOMPARE(vars.pageFirst, 1);
    QCOMPARE(vars.pagePoints, 3);
    QCOMPARE(vars.log[3].valueText, QStringLiteral("new"));
    QCOMPARE(vars.log[4].valueText, QStringLiteral("4"));
}

QTEST_APPLESS_MAIN(TestReadingLog)
#include "tst_readinglog.moc"
