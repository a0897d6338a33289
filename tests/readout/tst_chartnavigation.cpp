#include "readout/chartnavigation.h"

#include "logfixture.h"

#include <QTest>

namespace {

// The page window as "pageFirst pagePoints browsing", plus whether the step moved it.
QString state(const GVarMod &vars, bool moved)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(vars.pageFirst)
        .arg(vars.pagePoints)
        .arg(vars.browsing ? "browsing" : "live")
        .arg(moved ? "moved" : "stayed");
}

} // namespace

class TestChartNavigation : public QObject {
    Q_OBJECT
private slots:
    void sequence_data();
    void sequence();
};

void TestChartNavigation::sequence_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("states");

    QTest::newRow("100: one page, nowhere to go")
        << 100 << false << QStringList{"first", "previous", "next", "last"}
        << QStringList{
               "1 100 live stayed", "1 100 live stayed", "1 100 live stayed", "1 100 live moved"};
    QTest::newRow("250: through to the live page and back")
        << 250 << false << QStringList{"first", "next", "next", "next", "previous", "last"}
        << QStringList{"1 100 browsing moved", "101 100 browsing moved", "201 50 live moved",
               "201 50 live stayed", "101 100 browsing moved", "201 50 live moved"};
    QTest::newRow("300: a full live page")
        << 300 << false << QStringList{"first", "next", "next", "next"}
        << QStringList{"1 100 browsing moved", "101 100 browsing moved", "201 100 live moved",
               "201 100 live stayed"};
    QTest::newRow("301: never more than 100 points")
        << 301 << false
        << QStringList{"first", "next", "next", "next", "next", "previous", "previous", "previous",
               "previous"}
        << QStringList{"1 100 browsing moved", "101 100 browsing moved", "201 100 browsing moved",
               "301 1 live moved", "301 1 live stayed", "201 100 browsing moved",
               "101 100 browsing moved", "1 100 browsing moved", "1 100 browsing stayed"};
    QTest::newRow("emptied log: the old page stays")
        << 250 << true << QStringList{"first", "previous", "next", "last"}
        << QStringList{"201 50 live stayed", "201 50 live stayed", "201 50 live stayed",
               "201 50 live stayed"};
}

void TestChartNavigation::sequence()
{
    QFETCH(int, records);
    QFETCH(bool, cleared);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, states);

    GVarMod vars;
    for (int i = 0; i < records; ++i)
        addRecord(vars, {}, {}, {}, {});
    vars.followLive();
    if (cleared)
        vars.clearLog();

    QStringList seen;
    for (const QString &step : steps) {
        bool moved = false;
        if (step == "first")
            moved = goFirstPage(vars);
        else if (step == "previous")
            moved = goPreviousPage(vars);
        else if (step == "next")
            moved = goNextPage(vars);
        else
            moved = goLastPage(vars);
        seen << state(vars, moved);
    }
    QCOMPARE(seen, states);
}

QTEST_GUILESS_MAIN(TestChartNavigation)
#include "tst_chartnavigation.moc"
