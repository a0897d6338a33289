#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

class GVarMod;

// Where the readings of a page land on a chart: point i at x = xStep * i, a value of 0 on
// the zero line, +yScale pixelsPerScale pixels above it and -yScale as far below.
struct ChartGeometry {
    int xStep;
    int zeroY;
    int pixelsPerScale;
};

// The readout panel's trend chart and the graph window (whose printout maps the same
// pixels onto the sheet).
inline constexpr ChartGeometry showFormGeometry{4, 123, 100};
inline constexpr ChartGeometry graphGeometry{7, 247, 216};

// The row of a value: zeroY - value * pixelsPerScale / yScale in double precision,
// rounded to the nearest row with halves to the even one. Not clamped: a value beyond
// the scale lands outside the area and is clipped when drawn.
int plotY(double value, int yScale, const ChartGeometry &geometry);

// Refills plotPoints[1..pagePoints] for the page the shared state shows.
void fillPlotPoints(GVarMod &vars, const ChartGeometry &geometry);

// The point of the page under the pointer at x: x / xStep, halves to the even number.
// 0 and numbers above pagePoints name no point.
int cursorPointNumber(double x, int xStep);

// The nine Y scales the boxes offer, largest first.
const std::array<QString, 9> &yScaleChoices();

// The zoom steps through the choices. nullopt at the end of the list (nothing happens);
// a text that is none of the choices comes back unchanged.
std::optional<QString> nextSmallerScale(const QString &text);
std::optional<QString> nextLargerScale(const QString &text);

// The readout panel's Y scale for a box text and the captions of its eight labels, top
// to bottom (the quarter levels of the scale, then their negatives). A text that is none
// of the choices selects 400.
struct ShowFormYLabels {
    int yScale;
    std::array<QString, 8> labels;
};
ShowFormYLabels showFormYLabels(const QString &text, const QLocale &locale = QLocale());

// The graph window's sixteen Y labels for the scale a, top to bottom without the zero
// level: the eighths of a from a down to a / 8 (Label8(0) to Label8(7)), then -a / 8 down
// to -a (Label8(9) to Label8(16)).
std::array<QString, 16> graphYLabels(int a, const QLocale &locale = QLocale());

// A label's text for a level: whole numbers as plain digits with no group separator
// ("3500", never "3.500"), fractions in the locale's form ("7,5" in German).
QString levelText(double value, const QLocale &locale);
