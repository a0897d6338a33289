#include "recordingprinter.h"
#include "fakedialogs.h"
#include "logfixture.h"

#include "graph/graphprint.h"
#include "platform/qtprinter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Style = Printer::LineStyle;

// The graph window's captions at its start: 400 down to -400, and the first page.
GraphCaptions startCaptions()
{
    return graphCaptions([](int k) { return QString::number(400 - 50 * k); },
        [](int i) {
            return QString::number(std::array{1, 50, 100}[std::size_t(i)]);
        },
        QStringLiteral("14.05.2012 07:03:31"));
}

struct Rig {
    GVarMod vars;
    FakeMessageBox messages;
    RecordingPrinter printer;
    GraphCaptions captions = startCaptions();

    // A log of n readings with the given values, shown as the live page.
    void fill(const QList<double> &values)
    {
        for (double v : values)
            addRecord(vars, QStringLiteral("DC Spannung"), QString::number(v), QStringLiteral("V"),
                QStringLiteral("14.05.2012\\07:03:31"), v);
        vars.followLive();
    }

    bool print() { return printGraph(printer, vars, captions, messages); }

    // The lines drawn after the grid: the data.
    QList<RecordingPrinter::Line> dataLines() const { return printer.lines.mid(5 + 100 + 17); }
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestGraphPrint : public QObject {
    Q_OBJECT
private slots:
    void sheet();
    void points_data();
    void points();
    void positions_data();
    void positions();
    void failureGivesUpTheSheet_data();
    void failureGivesUpTheSheet();
    void pdfThroughQtPrinter();
};

void TestGraphPrint::sheet()
{
    Rig rig;
    rig.captions.yLabels[3] = QStringLiteral("25"); // whatever the window shows
    QVERIFY(rig.print());
    QVERIFY(rig.printer.ended);
    QCOMPARE(rig.printer.pages, 1);
    QVERIFY(rig.messages.asked.isEmpty());
    const auto &layout = rig.printer.layouts.last();
    QCOMPARE(layout.size, Printer::PaperSize::A4);
    QCOMPARE(layout.orientation, Printer::Orientation::Landscape);

    const auto &texts = rig.printer.texts;
    QCOMPARE(texts.size(), 1 + 17 + 3 + 1);
    QCOMPARE(texts[0].text, QStringLiteral("Kalvendo Grafen Report"));
    QCOMPARE(QPoint(texts[0].x, texts[0].y), QPoint(5300, 800));
    QCOMPARE(texts[0].points, 24.0);
    QVERIFY(texts[0].bold);
    for (int k = 0; k < 17; ++k) {
        const auto &t = texts[1 + k];
        QCOMPARE(t.text, k == 3 ? QStringLiteral("25") : QString::number(400 - 50 * k));
        QCOMPARE(QPoint(t.x, t.y), QPoint(2500, 2834 + 414 * k));
    }
    const QPoint xLabelAt[] = {{3105, 10000}, {8230, 10000}, {13470, 10000}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(texts[18 + i].text, (QStringList{"1", "50", "100"})[i]);
        QCOMPARE(QPoint(texts[18 + i].x, texts[18 + i].y), xLabelAt[i]);
    }
    QCOMPARE(texts[21].text, QStringLiteral("14.05.2012 07:03:31"));
    QCOMPARE(QPoint(texts[21].x, texts[21].y), QPoint(7000, 1500));
    for (int i = 1; i < texts.size(); ++i) {
        QCOMPARE(texts[i].family, QStringLiteral("Arial"));
        QCOMPARE(texts[i].points, 10.0);
        QVERIFY(!texts[i].bold);
    }

    const auto &lines = rig.printer.lines;
    QCOMPARE(lines.size(), 5 + 100 + 17);
    const QList<QPair<QPoint, QPoint>> frame{{{3000, 2500}, {13605, 2500}},
        {{3000, 9940}, {13605, 9940}}, {{3000, 2500}, {3000, 9940}}, {{13605, 2500}, {13605, 9940}},
        {{3000, 6226}, {13605, 6226}}};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(qMakePair(lines[i].from, lines[i].to), frame[i]);
        QCOMPARE(lines[i].style, Style::Solid);
    }
    for (int i = 1; i <= 100; ++i) {
        const auto &tick = lines[4 + i];
        QCOMPARE(tick.style, Style::Solid);
        QCOMPARE(qMakePair(tick.from, tick.to),
            qMakePair(QPoint(3000 + 105 * i, 9880), QPoint(3000 + 105 * i, 9940)));
    }
    for (int i = 1; i <= 17; ++i) {
        const auto &grid = lines[104 + i];
        QCOMPARE(grid.style, Style::Dotted);
        QCOMPARE(qMakePair(grid.from, grid.to),
            qMakePair(QPoint(3000, 2500 + 414 * i), QPoint(13605, 2500 + 414 * i)));
    }
    QVERIFY(rig.printer.circles.isEmpty());
}

void TestGraphPrint::points_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("cleared"); // the log was emptied after the page was drawn
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << false;
    QTest::newRow("2") << 2 << false;
    QTest::newRow("100") << 100 << false;
    QTest::newRow("100, then the log cleared") << 100 << true;
}

void TestGraphPrint::points()
{
    QFETCH(int, points);
    QFETCH(bool, cleared);
    Rig rig;
    QList<double> values;
    for (int i = 1; i <= points; ++i)
        values << 4.0 * i;
    rig.fill(values);
    if (cleared)
        rig.vars.clearLog();
    QVERIFY(rig.print());

    const int drawn = cleared ? 0 : points;
    auto at = [](int i) {
        return QPoint(3000 + 105 * i, 6226 - int(std::lround(4.0 * i * 3312 / 400)));
    };
    const auto data = rig.dataLines();
    QCOMPARE(data.size(), std::max(drawn - 1, 0));
    QList<QPoint> expectedDots;
    if (drawn == 1)
        expectedDots << at(1);
    for (int i = 2; i <= drawn; ++i) {
        QCOMPARE(qMakePair(data[i - 2].from, data[i - 2].to), qMakePair(at(i), at(i - 1)));
        QCOMPARE(data[i - 2].style, Style::Solid);
        expectedDots << at(i) << at(i - 1);
    }
    QCOMPARE(rig.printer.circles.size(), expectedDots.size());
    for (int i = 0; i < expectedDots.size(); ++i) {
        const auto &c = rig.printer.circles[i];
        QCOMPARE(c.centre, expectedDots[i]);
        QCOMPARE(c.radius, 30);
        QVERIFY(c.filled);
    }
    if (drawn == 100) {
        int right = 0;
        for (const auto &c : rig.printer.circles)
            right = std::max(right, c.centre.x());
        QCOMPARE(right, 13500);
    }
}

void TestGraphPrint::positions_data()
{
    QTest::addColumn<int>("yScale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("printedY");
    QTest::addColumn<int>("pixelY");
    QTest::newRow("0 on the zero line") << 400 << 0.0 << 6226 << 247;
    QTest::newRow("200 of 400") << 400 << 200.0 << 4570 << 139;
    QTest::newRow("+yScale on the top labelled line") << 400 << 400.0 << 2914 << 31;
    QTest::newRow("-yScale on the bottom labelled line") << 400 << -400.0 << 9538 << 463;
    QTest::newRow("1000 of 400, above the frame") << 400 << 1000.0 << -2054 << -293;
    QTest::newRow("-3 of 5") << 5 << -3.0 << 8213 << 377; // 6226 + 1987.2, 247 + 129.6
    QTest::newRow("half twip to the even neighbour") << 3312 << 1.5 << 6224 << 247; // 6224.5
    QTest::newRow("half pixel to the even neighbour") << 432 << 1.0 << 6218 << 246; // 246.5
    QTest::newRow("beyond what positions hold") << 400 << 1e300 << -100000000 << -100000000;
}

void TestGraphPrint::positions()
{
    QFETCH(int, yScale);
    QFETCH(double, value);
    QFETCH(int, printedY);
    QFETCH(int, pixelY);
    Rig rig;
    rig.fill({0.0, value});
    rig.vars.yScale = yScale;
    QVERIFY(rig.print());

    // Point 2 of the page, printed where it falls, not clipped.
    QCOMPARE(rig.printer.circles.first().centre, QPoint(3000 + 2 * 105, printedY));
    const PlotPoint &p = rig.vars.plotPoints[2];
    QCOMPARE(p.recordIndex, 2);
    QCOMPARE(p.x, 14);
    QCOMPARE(p.y, pixelY);
    QCOMPARE(rig.vars.plotPoints[1].y, 247);
}

void TestGraphPrint::failureGivesUpTheSheet_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("occurrence");
    QTest::newRow("no printer: the first setting") << "paper" << 1;
    QTest::newRow("a label") << "text" << 5;
    QTest::newRow("a grid line") << "line" << 110;
    QTest::newRow("a dot") << "circle" << 2;
    QTest::newRow("ending the sheet") << "end" << 1;
}

void TestGraphPrint::failureGivesUpTheSheet()
{
    QFETCH(QString, operation);
    QFETCH(int, occurrence);
    Rig dry;
    dry.fill({1, 2, 3});
    QVERIFY(dry.print());
    int failAt = -1;
    for (int i = 0, seen = 0; i < dry.printer.log.size() && failAt < 0; ++i) {
        if (dry.printer.log[i] == operation && ++seen == occurrence)
            failAt = i;
    }
    QVERIFY(failAt >= 0);

    Rig rig;
    rig.fill({1, 2, 3});
    rig.printer.failAt = failAt;
    QVERIFY(!rig.print());
    QCOMPARE(rig.messages.asked, QStringList{QStringLiteral("printer error!")});
    QVERIFY(rig.printer.aborted);
    QVERIFY(!rig.printer.ended);
    QCOMPARE(rig.printer.afterFailure, 0);
}

void TestGraphPrint::pdfThroughQtPrinter()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    Rig rig;
    rig.fill({0, 100, 200, -150, 350});
    QtPrinter printer = QtPrinter::toPdfFile(pdf);
    QVERIFY(printGraph(printer, rig.vars, rig.captions, rig.messages));
    QVERIFY(rig.messages.asked.isEmpty());

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("842 x 595 pts (A4)")), qPrintable(info));
    const QString text
        = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const char *expected :
        {"Kalvendo Grafen Report", "14.05.2012 07:03:31", "-400", "350", "100"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
}

QTEST_MAIN(TestGraphPrint)
#include "tst_graphprint.moc"
