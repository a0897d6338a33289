#pragma once

#include <QString>

#include <array>
#include <functional>

class GVarMod;
class MessageBox;
class Printer;

// The texts the graph printout takes from the windows as they stand: the graph window's
// Y labels from the top grid line down (index 8 is the "0" at the zero line), its three
// X labels, and the reading table's clock.
struct GraphCaptions {
    std::array<QString, 17> yLabels;
    std::array<QString, 3> xLabels;
    QString clock;
};

// Collects the captions from the graph window's label accessors.
GraphCaptions graphCaptions(const std::function<QString(int)> &yLabelCaption,
    const std::function<QString(int)> &xLabelCaption, const QString &clock);

// Prints the graph window's page on one A4 landscape sheet: title, clock, labels, frame,
// zero line, ticks, dotted grid and the page's readings as dots joined by lines. Refills
// plotPoints 1..pagePoints as the graph window draws them. A failure of the printer shows
// "printer error!" and gives up the sheet. Returns true when the sheet was sent.
bool printGraph(
    Printer &printer, GVarMod &vars, const GraphCaptions &captions, MessageBox &messages);
