#pragma once

#include <QPoint>
#include <QString>

#include <optional>

// The printer the printouts draw on. Positions are in twips (1440 to the inch) from the
// top-left corner of the printable area, x to the right and y downward. A text is placed
// by its top-left corner; printing it leaves the current position where it was.
//
// Every operation returns false when the printer refused it or there is no printer; the
// caller then gives up the document with abort().
class Printer {
public:
    enum class PaperSize { A4 };
    enum class Orientation { Portrait, Landscape };
    enum class LineStyle { Solid, Dotted };

    virtual ~Printer() = default;

    virtual bool setPaperSize(PaperSize size) = 0;
    virtual bool setOrientation(Orientation orientation) = 0;

    virtual bool setFontName(const QString &family) = 0;
    virtual bool setFontSize(double points) = 0;
    virtual bool setFontBold(bool bold) = 0;

    virtual bool setCurrentPosition(int x, int y) = 0;
    virtual bool printText(const QString &text) = 0;

    // The width of the whole sheet in twips, as the printer reports it.
    virtual std::optional<int> pageWidth() = 0;

    virtual bool newPage() = 0;
    // Sends the document to the printer.
    virtual bool endDocument() = 0;
    // Gives up the document after a failure: nothing of it is to come out.
    virtual void abort() = 0;

    virtual bool setLineStyle(LineStyle style) = 0;
    virtual bool line(QPoint from, QPoint to) = 0;
    // Circles drawn after this are filled black.
    virtual bool setFillSolid() = 0;
    virtual bool circle(QPoint centre, int radius) = 0;
};
