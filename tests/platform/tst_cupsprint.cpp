// Printing through the system's default printer, with no dialog, end to end: CUPS with a
// PDF queue as the default (tools/cups.sh sets it up). The queue's PDFs carry their text
// as pictures, so only their pages are counted here; the text and the geometry are
// checked on Qt's own PDF output by the printout tests.
#include "fakeclock.h"
#include "fakedialogs.h"
#include "logfixture.h"

#include "graph/graphprint.h"
#include "platform/localeforms.h"
#include "platform/qtprinter.h"
#include "table/tableprint.h"

#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>

namespace {

QString pdfFolder()
{
    return qEnvironmentVariable("KALVENDO_CUPS_PDF_DIR", QDir::homePath() + QStringLiteral("/PDF"));
}

QStringList pdfsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
}

int pageCount(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(10000))
        return -1;
    for (const QByteArray &line : info.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Waits for the queue to write one more PDF than before and returns its page count.
int pagesOfNextPdf(const QStringList &before)
{
    for (int i = 0; i < 600; ++i) {
        for (const QString &name : pdfsIn(pdfFolder())) {
            if (before.contains(name))
                continue;
            const QString path = pdfFolder() + u'/' + name;
            QTest::qWait(500); // the backend may still be writing
            return pageCount(path);
        }
        QTest::qWait(100);
    }
    return -1;
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tableAndGraphThroughTheDefaultPrinter();
};

void TestCupsPrint::initTestCase()
{
    if (!qEnvironmentVariableIsSet("KALVENDO_CUPS"))
        QSKIP("set KALVENDO_CUPS=1 after tools/cups.sh to print through CUPS");
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(), "no default printer");
}

void TestCupsPrint::tableAndGraphThroughTheDefaultPrinter()
{
    GVarMod vars;
    for (int i = 0; i < 37; ++i)
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("1.234"), QStringLiteral("V"),
                  QStringLiteral("14.05.2012\\07:03:31"), 1.234 * i);
    vars.followLive();
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    FakeClock clock;
    FakeMessageBox messages;
    QtPrinter printer;

    QStringList before = pdfsIn(pdfFolder());
    QVERIFY(printTable(printer, vars, forms, clock, messages));
    QCOMPARE(pagesOfNextPdf(before), 2); // 36 rows on the first page, row 37 on the second

    before = pdfsIn(pdfFolder());
    std::array<QString, 17> yLabels;
    for (int k = 0; k < 17; ++k)
        yLabels[std::size_t(k)] = QString::number(400 - 50 * k);
    const GraphCaptions captions{yLabels, {"1", "50", "100"}, forms.clockText(clock.now())};
    QVERIFY(printGraph(printer, vars, captions, messages));
    QCOMPARE(pagesOfNextPdf(before), 1);
    QVERIFY(messages.asked.isEmpty());
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
