#include "fakeclock.h"
#include "fakedialogs.h"
#include "logfixture.h"
#include "recordingprinter.h"

#include "platform/localeforms.h"
#include "platform/qtprinter.h"
#include "table/tableprint.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kStamp = QStringLiteral("14.05.2012\\07:03:31");
constexpr int kColumnX[] = {1100, 2100, 5100, 6600, 7600};

struct Rig {
    GVarMod vars;
    FakeClock clock;
    LocaleForms forms{QLocale(QLocale::German, QLocale::Germany)};
    FakeMessageBox messages;
    RecordingPrinter printer;

    explicit Rig(int records)
    {
        const QString func = QStringLiteral("DC Spannung");
        const QString unit = QStringLiteral("V");
        for (int i = 1; i <= records; ++i)
            addRecord(vars, func, QString::number(i) + QStringLiteral(".000"), unit, kStamp);
    }

    bool print() { return printTable(printer, vars, forms, clock, messages); }
};

QList<QList<RecordingPrinter::Text>> byPage(const RecordingPrinter &printer)
{
    QList<QList<RecordingPrinter::Text>> pages(printer.pages);
    for (const RecordingPrinter::Text &t : printer.texts)
        pages[t.page - 1] << t;
    return pages;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestTablePrint : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void longTextsAreNotCut();
    void failureGivesUpTheDocument_data();
    void failureGivesUpTheDocument();
    void pdfThroughQtPrinter();
    void qtPrinterAbortLeavesNoFile();
    void qtPrinterRefusals();
};

void TestTablePrint::pages_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnLast");
    QTest::newRow("1") << 1 << 1 << 1;
    QTest::newRow("35") << 35 << 1 << 35;
    QTest::newRow("36: heading-only second page") << 36 << 2 << 0;
    QTest::newRow("37") << 37 << 2 << 1;
    QTest::newRow("50000") << 50000 << 1389 << 32;
}

void TestTablePrint::pages()
{
    QFETCH(int, records);
    QFETCH(int, pages);
    QFETCH(int, rowsOnLast);
    Rig rig(records);

    QVERIFY(rig.print());
    QVERIFY(rig.printer.ended);
    QVERIFY(!rig.printer.aborted);
    QVERIFY(rig.messages.asked.isEmpty());
    QCOMPARE(rig.printer.pages, pages);

    // Every page is set to A4 portrait before anything is printed on it.
    for (int p = 1; p <= pages; ++p) {
        bool a4 = false, portrait = false;
        for (const auto &l : rig.printer.layouts) {
            if (l.page == p) {
                a4 |= l.size == Printer::PaperSize::A4;
                portrait |= l.orientation == Printer::Orientation::Portrait;
            }
        }
        QVERIFY2(a4 && portrait, qPrintable(QStringLiteral("page %1").arg(p)));
    }

    const QStringList headings{"Nr.", "Funk", "Daten", "Gerät", "Zeit"};
    const auto onPages = byPage(rig.printer);
    int record = 0;
    for (int p = 1; p <= pages; ++p) {
        const auto &texts = onPages[p - 1];
        const int rows = p < pages ? 36 : rowsOnLast;
        const QString where = QStringLiteral("page %1").arg(p);
        QCOMPARE(texts.size(), 1 + 5 + 5 * rows + 1);

        const auto &title = texts[0];
        QCOMPARE(title.text, QStringLiteral("Kalvendo Report"));
        QCOMPARE(QPoint(title.x, title.y), QPoint(2200, 400));
        QCOMPARE(title.family, QStringLiteral("Arial"));
        QCOMPARE(title.points, 24.0);
        QVERIFY(title.bold);
        for (int c = 0; c < 5; ++c) {
            const auto &h = texts[1 + c];
            QCOMPARE(h.text, headings[c]);
            QCOMPARE(QPoint(h.x, h.y), QPoint(kColumnX[c], 1200));
            QCOMPARE(h.points, 15.0);
            QVERIFY(h.bold);
        }
        for (int k = 1; k <= rows; ++k) {
            ++record;
            const ReadingRecord &r = rig.vars.log[record];
            const QString cells[]
                = {u' ' + QString::number(record) + u' ', r.funcName, r.valueText, r.unit, r.stamp};
            for (int c = 0; c < 5; ++c) {
                const auto &t = texts[6 + 5 * (k - 1) + c];
                if (t.text != cells[c] || t.x != kColumnX[c] || t.y != 1200 + 400 * k
                    || t.points != 12.0 || t.bold || t.family != QLatin1String("Arial"))
                    QFAIL(qPrintable(QStringLiteral("%1 row %2 column %3: '%4' at %5,%6")
                                         .arg(where)
                                         .arg(k)
                                         .arg(c)
                                         .arg(t.text)
                                         .arg(t.x)
                                         .arg(t.y)));
            }
        }
        const auto &footer = texts.last();
        QCOMPARE(footer.text, QStringLiteral("Seite %1   (14.05.2012)").arg(p));
        QCOMPARE(QPoint(footer.x, footer.y), QPoint(11906 / 2 - 2000, 16000));
        // The footer keeps the font of the text before it.
        QCOMPARE(footer.points, rows > 0 ? 12.0 : 15.0);
        QCOMPARE(footer.bold, rows == 0);
    }
    QCOMPARE(record, records);
}

void TestTablePrint::longTextsAreNotCut()
{
    Rig rig(0);
    const QString longName
        = QStringLiteral("Eine Funktion mit einem sehr langen Namen, der weit reicht");
    addRecord(rig.vars, longName, QStringLiteral(".OL"), QStringLiteral("kOhm"), kStamp);
    QVERIFY(rig.print());
    QCOMPARE(rig.printer.texts[7].text, longName);
    QCOMPARE(rig.printer.texts[8].text, QStringLiteral(".OL"));
}

void TestTablePrint::failureGivesUpTheDocument_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("occurrence"); // which one of that kind refuses, from 1
    QTest::newRow("no printer: the first setting") << "paper" << 1;
    QTest::newRow("a row's text") << "text" << 10;
    QTest::newRow("the page width") << "width" << 1;
    QTest::newRow("the page break") << "newPage" << 1;
    QTest::newRow("a text on the second page") << "text" << 200;
    QTest::newRow("ending the document") << "end" << 1;
}

void TestTablePrint::failureGivesUpTheDocument()
{
    QFETCH(QString, operation);
    QFETCH(int, occurrence);
    Rig dry(40);
    QVERIFY(dry.print());
    int failAt = -1;
    for (int i = 0, seen = 0; i < dry.printer.log.size(); ++i) {
        if (dry.printer.log[i] == operation && ++seen == occurrence) {
            failAt = i;
            break;
        }
    }
    QVERIFY(failAt >= 0);

    Rig rig(40);
    rig.printer.failAt = failAt;
    QVERIFY(!rig.print());
    QCOMPARE(rig.messages.asked, QStringList{QStringLiteral("druck Fehler Bericht!")});
    QVERIFY(rig.printer.aborted);
    QVERIFY(!rig.printer.ended);
    QCOMPARE(rig.printer.afterFailure, 0); // nothing more was tried after the refusal
    QCOMPARE(rig.printer.log.size(), failAt + 2);
    QCOMPARE(rig.printer.log.last(), QLatin1String("abort"));
}

void TestTablePrint::pdfThroughQtPrinter()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    Rig rig(37);
    QtPrinter printer = QtPrinter::toPdfFile(pdf);
    QVERIFY(printTable(printer, rig.vars, rig.forms, rig.clock, rig.messages));
    QVERIFY(rig.messages.asked.isEmpty());

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));

    const QString text
        = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QCOMPARE(text.count(QStringLiteral("Kalvendo Report")), 2);
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral(
                 "37\\s+DC Spannung\\s+37\\.000\\s+V\\s+14\\.05\\.2012\\\\07:03:31"))),
        qPrintable(text));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("Seite 2\\s+\\(14\\.05\\.2012\\)"))));

    // Placement, in points from the sheet's corner: the printable area starts 10 pt in,
    // a twip is 1/20 pt, and a text hangs from its position.
    const QString boxes = run(QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
            QStringLiteral("1"), pdf, QStringLiteral("-")});
    auto wordAt = [&](const QString &word) -> QPointF {
        const QRegularExpression re(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>%1<").arg(word));
        const auto m = re.match(boxes);
        return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                            : QPointF(-1, -1);
    };
    const QPointF title = wordAt(QStringLiteral("Kalvendo"));
    QVERIFY2(qAbs(title.x() - (200 + 2200) / 20.0) < 2 && qAbs(title.y() - (200 + 400) / 20.0) < 6,
        qPrintable(QStringLiteral("%1,%2").arg(title.x()).arg(title.y())));
    const QPointF footer = wordAt(QStringLiteral("Seite"));
    QVERIFY2(qAbs(footer.x() - (200 + 11900 / 2 - 2000) / 20.0) < 2
            && qAbs(footer.y() - (200 + 16000) / 20.0) < 4,
        qPrintable(QStringLiteral("%1,%2").arg(footer.x()).arg(footer.y())));
}

void TestTablePrint::qtPrinterAbortLeavesNoFile()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("half.pdf"));
    QtPrinter printer = QtPrinter::toPdfFile(pdf);
    QVERIFY(printer.setPaperSize(Printer::PaperSize::A4));
    QVERIFY(printer.setCurrentPosition(1000, 1000));
    QVERIFY(printer.printText(QStringLiteral("Seite eins")));
    QVERIFY(printer.newPage());
    QVERIFY(printer.printText(QStringLiteral("Seite zwei")));
    printer.abort();
    QVERIFY(!QFile::exists(pdf));

    // The next document is a job of its own.
    QVERIFY(printer.printText(QStringLiteral("neu")));
    QVERIFY(printer.endDocument());
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    // A job given up before it drew anything leaves the earlier document alone.
    QVERIFY(printer.setPaperSize(Printer::PaperSize::A4));
    printer.abort();
    QVERIFY(QFile::exists(pdf));
}

void TestTablePrint::qtPrinterRefusals()
{
    Rig rig(3);
    {
        QtPrinter printer = QtPrinter::toPdfFile(QStringLiteral("/nonexistent-folder/table.pdf"));
        QVERIFY(!printTable(printer, rig.vars, rig.forms, rig.clock, rig.messages));
        QCOMPARE(rig.messages.asked, QStringList{QStringLiteral("druck Fehler Bericht!")});
    }
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer; the printout would go to it");
    rig.messages.asked.clear();
    QtPrinter printer;
    QVERIFY(!printer.setPaperSize(Printer::PaperSize::A4));
    QVERIFY(!printer.pageWidth());
    QVERIFY(!printTable(printer, rig.vars, rig.forms, rig.clock, rig.messages));
    QCOMPARE(rig.messages.asked, QStringList{QStringLiteral("druck Fehler Bericht!")});
}

QTEST_MAIN(TestTablePrint)
#include "tst_tableprint.moc"
