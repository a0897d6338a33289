#include "readout/chartgeometry.h"

#include "logfixture.h"

#include <QTest>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

QString joined(const auto &labels)
{
    QStringList list;
    for (const QString &l : labels)
        list << l;
    return list.join(u'|');
}

} // namespace

class TestChartGeometry : public QObject {
    Q_OBJECT
private slots:
    void plotRow_data();
    void plotRow();
    void pageFillsOnlyItsPoints();
    void cursorPointNumber_data();
    void cursorPointNumber();
    void showFormLabels_data();
    void showFormLabels();
    void graphLabels_data();
    void graphLabels();
    void zoomSteps_data();
    void zoomSteps();
};

void TestChartGeometry::plotRow_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("yScale");
    QTest::addColumn<int>("y");
    QTest::newRow("readout: zero") << false << 0.0 << 400 << 123;
    QTest::newRow("readout: +scale on the top level") << false << 400.0 << 400 << 23;
    QTest::newRow("readout: -scale on the bottom level") << false << -400.0 << 400 << 223;
    QTest::newRow("readout: 122.5 to 122") << false << 2.0 << 400 << 122;
    QTest::newRow("readout: 121.5 to 122") << false << 6.0 << 400 << 122;
    QTest::newRow("readout: 123.5 to 124") << false << -2.0 << 400 << 124;
    QTest::newRow("readout: above the area") << false << 1000.0 << 400 << -127;
    QTest::newRow("readout: below the area") << false << -1000.0 << 400 << 373;
    QTest::newRow("readout: fraction at scale 10") << false << 2.5 << 10 << 98;
    QTest::newRow("graph: zero") << true << 0.0 << 400 << 247;
    QTest::newRow("graph: +scale") << true << 400.0 << 400 << 31;
    QTest::newRow("graph: -scale") << true << -400.0 << 400 << 463;
    QTest::newRow("graph: 246.46 to 246") << true << 1.0 << 400 << 246;
    QTest::newRow("graph: 233.5 to 234") << true << 25.0 << 400 << 234;
    QTest::newRow("graph: 139") << true << 200.0 << 400 << 139;
    QTest::newRow("graph: above the area") << true << 1000.0 << 400 << -293;
    QTest::newRow("graph: scale 4000") << true << -4000.0 << 4000 << 463;
}

void TestChartGeometry::plotRow()
{
    QFETCH(bool, graph);
    QFETCH(double, value);
    QFETCH(int, yScale);
    QTEST(plotY(value, yScale, graph ? graphGeometry : showFormGeometry), "y");
}

void TestChartGeometry::pageFillsOnlyItsPoints()
{
    GVarMod vars;
    for (int i = 1; i <= 250; ++i)
        addRecord(vars, {}, {}, {}, {}, i - 225); // record 225 holds 0
    vars.followLive(); // 201..250
    vars.plotPoints[51] = {77, 7, 7};
    vars.yScale = 100;

    fillPlotPoints(vars, showFormGeometry);
    QCOMPARE(vars.plotPoints[1].recordIndex, 201);
    QCOMPARE(vars.plotPoints[25].recordIndex, 225);
    QCOMPARE(vars.plotPoints[25].x, 100);
    QCOMPARE(vars.plotPoints[25].y, 123);
    QCOMPARE(vars.plotPoints[50].x, 200);
    QCOMPARE(vars.plotPoints[50].y, 123 - 25);
    QCOMPARE(vars.plotPoints[1].y, 123 + 24);
    QCOMPARE(vars.plotPoints[51].recordIndex, 77); // beyond the page: untouched

    fillPlotPoints(vars, graphGeometry);
    QCOMPARE(vars.plotPoints[50].recordIndex, 250);
    QCOMPARE(vars.plotPoints[50].x, 350);
    QCOMPARE(vars.plotPoints[50].y, 247 - 54);
}

void TestChartGeometry::cursorPointNumber_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("xStep");
    QTest::addColumn<int>("n");
    QTest::newRow("readout 2: none") << 2.0 << 4 << 0;
    QTest::newRow("readout 3") << 3.0 << 4 << 1;
    QTest::newRow("readout 6: 1.5 to 2") << 6.0 << 4 << 2;
    QTest::newRow("readout 10: 2.5 to 2") << 10.0 << 4 << 2;
    QTest::newRow("readout 14: 3.5 to 4") << 14.0 << 4 << 4;
    QTest::newRow("readout 400") << 400.0 << 4 << 100;
    QTest::newRow("readout 405") << 405.0 << 4 << 101;
    QTest::newRow("graph 3: none") << 3.0 << 7 << 0;
    QTest::newRow("graph 4") << 4.0 << 7 << 1;
    QTest::newRow("graph 10.5: 1.5 to 2") << 10.5 << 7 << 2;
    QTest::newRow("graph 17.5: 2.5 to 2") << 17.5 << 7 << 2;
    QTest::newRow("graph 700") << 700.0 << 7 << 100;
}

void TestChartGeometry::cursorPointNumber()
{
    QFETCH(double, x);
    QFETCH(int, xStep);
    QTEST(::cursorPointNumber(x, xStep), "n");
}

void TestChartGeometry::showFormLabels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("yScale");
    QTest::addColumn<QString>("labels");
    QTest::newRow("4000") << "4000" << 4000 << "4000|3000|2000|1000|-1000|-2000|-3000|-4000";
    QTest::newRow("1000") << "1000" << 1000 << "1000|750|500|250|-250|-500|-750|-1000";
    QTest::newRow("400") << "400" << 400 << "400|300|200|100|-100|-200|-300|-400";
    QTest::newRow("20") << "20" << 20 << "20|15|10|5|-5|-10|-15|-20";
    QTest::newRow("10: fractions") << "10" << 10 << "10|7,5|5|2,5|-2,5|-5|-7,5|-10";
    QTest::newRow("other text: 400") << "17" << 400 << "400|300|200|100|-100|-200|-300|-400";
    QTest::newRow("empty: 400") << "" << 400 << "400|300|200|100|-100|-200|-300|-400";
}

void TestChartGeometry::showFormLabels()
{
    QFETCH(QString, text);
    const ShowFormYLabels result = showFormYLabels(text, kGerman);
    QTEST(result.yScale, "yScale");
    QTEST(joined(result.labels), "labels");
}

void TestChartGeometry::graphLabels_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<QString>("labels");
    QTest::newRow("4000: no group separator")
        << 4000
        << "4000|3500|3000|2500|2000|1500|1000|500|-500|-1000|-1500|-2000|-2500|-3000|"
           "-3500|-4000";
    QTest::newRow("400") << 400
                         << "400|350|300|250|200|150|100|50|-50|-100|-150|-200|-250|-300|-350|-400";
    QTest::newRow("100")
        << 100 << "100|87,5|75|62,5|50|37,5|25|12,5|-12,5|-25|-37,5|-50|-62,5|-75|-87,5|-100";
    QTest::newRow("10") << 10
                        << "10|8,75|7,5|6,25|5|3,75|2,5|1,25|-1,25|-2,5|-3,75|-5|-6,25|-7,5|-8,75|"
                           "-10";
}

void TestChartGeometry::graphLabels()
{
    QFETCH(int, a);
    QTEST(joined(graphYLabels(a, kGerman)), "labels");
}

void TestChartGeometry::zoomSteps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("smaller"); // "-": nothing happens
    QTest::addColumn<QString>("larger");
    QTest::newRow("4000 is the largest") << "4000"
                                         << "2000"
                                         << "-";
    QTest::newRow("1000") << "1000"
                          << "400"
                          << "2000";
    QTest::newRow("400") << "400"
                         << "200"
                         << "1000";
    QTest::newRow("100") << "100"
                         << "40"
                         << "200";
    QTest::newRow("10 is the smallest") << "10"
                                        << "-"
                                        << "20";
    QTest::newRow("other text unchanged") << "17"
                                          << "17"
                                          << "17";
}

void TestChartGeometry::zoomSteps()
{
    QFETCH(QString, text);
    auto shown = [](const std::optional<QString> &s) { return s ? *s : QStringLiteral("-"); };
    QTEST(shown(nextSmallerScale(text)), "smaller");
    QTEST(shown(nextLargerScale(text)), "larger");
}

QTEST_GUILESS_MAIN(TestChartGeometry)
#include "tst_chartgeometry.moc"
