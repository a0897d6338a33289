#include "graphprint.h"

#include "meterlink/gvarmod.h"
#include "meterlink/numbertext.h"
#include "platform/messagebox.h"
#include "platform/printer.h"

#include <algorithm>
#include <cmath>

namespace {

// The frame on the sheet, the size of the graph window's chart at 15 twips a pixel.
constexpr int kLeft = 3000;
constexpr int kTop = 2500;
constexpr int kRight = 13605;
constexpr int kBottom = 9940;
constexpr int kZeroY = 6226;
constexpr int kGridStep = 414; // one eighth of the Y scale
constexpr int kTickStep = 105; // one reading

// Readings are placed on the grid the labels stand at: +yScale on the top labelled line
// (2914), 0 on the zero line, -yScale on the bottom one (9538).
constexpr double kTwipsPerScale = 8.0 * kGridStep;

// The graph window's own pixel scale, kept in plotPoints.
constexpr int kPixelZeroY = 247;
constexpr double kPixelsPerScale = 216;
constexpr int kPixelsPerReading = 7;

// A reading far off the scale is still drawn where it falls; only a position the
// printer's coordinates cannot hold is pulled in to their edge.
int toPosition(double y)
{
    constexpr double kLimit = 1.0e8;
    if (std::isnan(y))
        return 0;
    return int(roundHalfEven(std::clamp(y, -kLimit, kLimit)));
}

bool textAt(Printer &printer, int x, int y, const QString &text)
{
    return printer.setCurrentPosition(x, y) && printer.printText(text);
}

bool printSheet(Printer &printer, GVarMod &vars, const GraphCaptions &captions)
{
    if (!(printer.setPaperSize(Printer::PaperSize::A4)
            && printer.setOrientation(Printer::Orientation::Landscape)
            && printer.setFontName(QStringLiteral("Arial")) && printer.setFontSize(24)
            && printer.setFontBold(true)
            && textAt(printer, 5300, 800, QStringLiteral("Kalvendo Grafen Report"))
            && printer.setFontSize(10) && printer.setFontBold(false)))
        return false;

    for (int k = 0; k < int(captions.yLabels.size()); ++k) {
        if (!textAt(printer, 2500, 2834 + kGridStep * k, captions.yLabels[std::size_t(k)]))
            return false;
    }
    constexpr int kXLabelX[] = {3105, 8230, 13470};
    for (std::size_t i = 0; i < captions.xLabels.size(); ++i) {
        if (!textAt(printer, kXLabelX[i], 10000, captions.xLabels[i]))
            return false;
    }
    if (!textAt(printer, 7000, 1500, captions.clock))
        return false;

    if (!(printer.setLineStyle(Printer::LineStyle::Solid)
            && printer.line({kLeft, kTop}, {kRight, kTop})
            && printer.line({kLeft, kBottom}, {kRight, kBottom})
            && printer.line({kLeft, kTop}, {kLeft, kBottom})
            && printer.line({kRight, kTop}, {kRight, kBottom})
            && printer.line({kLeft, kZeroY}, {kRight, kZeroY})))
        return false;
    for (int i = 1; i <= GVarMod::pageSize; ++i) {
        const int x = kLeft + kTickStep * i;
        if (!printer.line({x, kBottom - 60}, {x, kBottom}))
            return false;
    }
    if (!printer.setLineStyle(Printer::LineStyle::Dotted))
        return false;
    for (int i = 1; i <= 17; ++i) {
        const int y = kTop + kGridStep * i;
        if (!printer.line({kLeft, y}, {kRight, y}))
            return false;
    }
    if (!printer.setLineStyle(Printer::LineStyle::Solid))
        return false;

    if (vars.recordCount > 0) {
        // pagePoints never leaves 0..100; the bound keeps a broken page from running
        // past the point arrays.
        const int points = std::clamp(vars.pagePoints, 0, GVarMod::pageSize);
        const double scale = vars.yScale;
        std::array<QPoint, GVarMod::pageSize + 1> printed;
        for (int i = 1; i <= points; ++i) {
            PlotPoint &p = vars.plotPoints[std::size_t(i)];
            p.recordIndex = vars.pageFirst + i - 1;
            const double value = vars.log[p.recordIndex].value;
            p.x = kPixelsPerReading * i;
            p.y = toPosition(kPixelZeroY - value * kPixelsPerScale / scale);
            printed[std::size_t(i)]
                = {kLeft + kTickStep * i, toPosition(kZeroY - value * kTwipsPerScale / scale)};
        }
        constexpr int kDotRadius = 30;
        if (!printer.setFillSolid())
            return false;
        if (points == 1 && !printer.circle(printed[1], kDotRadius))
            return false;
        for (std::size_t i = 2; i <= std::size_t(points); ++i) {
            if (!(printer.line(printed[i], printed[i - 1]) && printer.circle(printed[i], kDotRadius)
                    && printer.circle(printed[i - 1], kDotRadius)))
                return false;
        }
    }
    return printer.endDocument();
}

} // namespace

GraphCaptions graphCaptions(const std::function<QString(int)> &yLabelCaption,
    const std::function<QString(int)> &xLabelCaption, const QString &clock)
{
    GraphCaptions captions;
    for (int k = 0; k < int(captions.yLabels.size()); ++k)
        captions.yLabels[std::size_t(k)] = yLabelCaption(k);
    for (int i = 0; i < int(captions.xLabels.size()); ++i)
        captions.xLabels[std::size_t(i)] = xLabelCaption(i);
    captions.clock = clock;
    return captions;
}

bool printGraph(
    Printer &printer, GVarMod &vars, const GraphCaptions &captions, MessageBox &messages)
{
    if (printSheet(printer, vars, captions))
        return true;
    messages.tell(QStringLiteral("printer error!"));
    printer.abort();
    return false;
}
