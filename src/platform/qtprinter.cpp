#include "qtprinter.h"

#include "uifonts.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr int kTwipsPerInch = 1440;
// A dotted line shows one screen pixel's length of line, then two of gap.
constexpr qreal kDotTwips = 15;

} // namespace

QtPrinter::QtPrinter() : QtPrinter(QString()) { }

QtPrinter::QtPrinter(const QString &pdfFileName) : m_pdfFileName(pdfFileName)
{
    resetJob();
}

QtPrinter QtPrinter::toPdfFile(const QString &fileName)
{
    return QtPrinter(fileName);
}

QtPrinter::~QtPrinter()
{
    // A document never ended was given up: it is not to be printed half.
    if (m_printer)
        abort();
}

void QtPrinter::resetJob()
{
    m_family = QStringLiteral("Arial");
    m_points = 10;
    m_bold = false;
    m_fontChanged = true;
    m_position = {};
    m_lineStyle = LineStyle::Solid;
    m_fillSolid = false;
}

bool QtPrinter::ensurePrinter()
{
    if (m_printer)
        return true;
    std::unique_ptr<QPrinter> printer;
    if (m_pdfFileName.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfFileName);
    }
    printer->setResolution(kTwipsPerInch);
    if (printer->resolution() != kTwipsPerInch)
        return false;
    printer->setDocName(QStringLiteral("Kalvendo"));
    printer->setCreator(QStringLiteral("Kalvendo"));
    m_printer = std::move(printer);
    resetJob();
    return true;
}

bool QtPrinter::ensurePainting()
{
    if (m_painter.isActive())
        return true;
    if (!ensurePrinter() || !m_painter.begin(m_printer.get()))
        return false;
    m_fontChanged = true;
    applyPen();
    m_painter.setBrush(m_fillSolid ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    return true;
}

void QtPrinter::applyPen()
{
    // Width 0: the printer's thinnest line.
    QPen pen(Qt::black, 0);
    if (m_lineStyle == LineStyle::Dotted)
        pen.setDashPattern({kDotTwips, 2 * kDotTwips});
    m_painter.setPen(pen);
}

bool QtPrinter::setPaperSize(PaperSize)
{
    if (!ensurePrinter())
        return false;
    if (m_printer->pageLayout().pageSize().id() == QPageSize::A4)
        return true;
    return m_printer->setPageSize(QPageSize(QPageSize::A4));
}

bool QtPrinter::setOrientation(Orientation orientation)
{
    if (!ensurePrinter())
        return false;
    const QPageLayout::Orientation wanted
        = orientation == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    // Setting what is already set is no change: a printer that cannot change its layout
    // in the middle of a job still takes the same layout for every page.
    if (m_printer->pageLayout().orientation() == wanted)
        return true;
    return m_printer->setPageOrientation(wanted);
}

bool QtPrinter::setFontName(const QString &family)
{
    if (!ensurePrinter())
        return false;
    m_family = family;
    m_fontChanged = true;
    return true;
}

bool QtPrinter::setFontSize(double points)
{
    if (!ensurePrinter() || points <= 0)
        return false;
    m_points = points;
    m_fontChanged = true;
    return true;
}

bool QtPrinter::setFontBold(bool bold)
{
    if (!ensurePrinter())
        return false;
    m_bold = bold;
    m_fontChanged = true;
    return true;
}

bool QtPrinter::setCurrentPosition(int x, int y)
{
    if (!ensurePrinter())
        return false;
    m_position = {x, y};
    return true;
}

bool QtPrinter::printText(const QString &text)
{
    if (!ensurePainting())
        return false;
    if (m_fontChanged) {
        m_painter.setFont(uiFont(m_family, m_points, m_bold));
        m_ascent = m_painter.fontMetrics().ascent();
        m_fontChanged = false;
    }
    // The position is the text's top-left corner; the painter draws from the baseline.
    m_painter.drawText(QPoint(m_position.x(), m_position.y() + m_ascent), text);
    return m_painter.isActive();
}

std::optional<int> QtPrinter::pageWidth()
{
    if (!ensurePrinter())
        return std::nullopt;
    return qRound(m_printer->paperRect(QPrinter::DevicePixel).width());
}

bool QtPrinter::newPage()
{
    return ensurePainting() && m_printer->newPage();
}

bool QtPrinter::endDocument()
{
    const bool ok = ensurePainting() && m_painter.end();
    m_printer.reset();
    return ok;
}

void QtPrinter::abort()
{
    if (!m_printer)
        return;
    // Qt's PDF-based engines (the file output, and CUPS on Linux) cannot abort: they
    // write the pages drawn so far when the painter is released. The file output, which
    // this job began, is therefore removed afterwards; a job that never drew has not
    // touched the file.
    const bool aborted = m_printer->abort();
    const bool began = m_painter.isActive();
    if (began)
        m_painter.end();
    if (began && !aborted && !m_pdfFileName.isEmpty())
        QFile::remove(m_pdfFileName);
    m_printer.reset();
}

bool QtPrinter::setLineStyle(LineStyle style)
{
    if (!ensurePrinter())
        return false;
    m_lineStyle = style;
    if (m_painter.isActive())
        applyPen();
    return true;
}

bool QtPrinter::line(QPoint from, QPoint to)
{
    if (!ensurePainting())
        return false;
    m_painter.drawLine(from, to);
    return m_painter.isActive();
}

bool QtPrinter::setFillSolid()
{
    if (!ensurePrinter())
        return false;
    m_fillSolid = true;
    if (m_painter.isActive())
        m_painter.setBrush(Qt::black);
    return true;
}

bool QtPrinter::circle(QPoint centre, int radius)
{
    if (!ensurePainting())
        return false;
    m_painter.drawEllipse(centre, radius, radius);
    return m_painter.isActive();
}
