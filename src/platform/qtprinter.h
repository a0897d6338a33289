#pragma once

#include "printer.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;

// The system's default printer, used without a print dialog, at 1440 dots per inch so
// that one device unit is one twip. Each document is one print job: the printer is
// looked up at the first operation after the previous document ended, so a default
// printer set up meanwhile is found.
//
// For tests and for a look at the pages, the same drawing can go to a PDF file instead.
class QtPrinter final : public Printer {
public:
    QtPrinter();
    static QtPrinter toPdfFile(const QString &fileName); // fileName must not be empty
    ~QtPrinter() override;

    QtPrinter(const QtPrinter &) = delete;
    QtPrinter &operator=(const QtPrinter &) = delete;

    bool setPaperSize(PaperSize size) override;
    bool setOrientation(Orientation orientation) override;
    bool setFontName(const QString &family) override;
    bool setFontSize(double points) override;
    bool setFontBold(bool bold) override;
    bool setCurrentPosition(int x, int y) override;
    bool printText(const QString &text) override;
    std::optional<int> pageWidth() override;
    bool newPage() override;
    bool endDocument() override;
    void abort() override;
    bool setLineStyle(LineStyle style) override;
    bool line(QPoint from, QPoint to) override;
    bool setFillSolid() override;
    bool circle(QPoint centre, int radius) override;

private:
    explicit QtPrinter(const QString &pdfFileName); // empty: the default printer

    bool ensurePrinter();
    bool ensurePainting();
    void applyPen();
    void resetJob();

    QString m_pdfFileName; // empty: the system's default printer
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;

    // The state of the document being printed.
    QString m_family;
    double m_points = 10;
    bool m_bold = false;
    bool m_fontChanged = true;
    int m_ascent = 0;
    QPoint m_position;
    LineStyle m_lineStyle = LineStyle::Solid;
    bool m_fillSolid = false;
};
