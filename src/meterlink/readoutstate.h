#pragma once

#include "meterframe.h"

#include <QString>

#include <array>

// Everything the live readout shows. One instance for the run; the pipeline changes it
// per reading, the readout panel on connect, disconnect and RESET.
struct ReadoutState {
    bool online = false;
    QString valueText = QStringLiteral("0.0000");
    QString funcName;
    QString acdcText = QStringLiteral("DC");
    bool acdcShown = false;
    QString rangeText;
    QString unit = QStringLiteral("Gerät");
    bool showAuto = false;
    bool showHold = false;
    bool showMax = false;
    bool showMin = false;
    bool showMaxMin = false;
    bool showRel = false;
    FunctionIcon icon = FunctionIcon::None;
    int barLit = 0; // segments 0..barLit-1 lit, of 41
    std::array<QString, 4> barLabels{QStringLiteral("10"), QStringLiteral("20"),
                                     QStringLiteral("30"), QStringLiteral("40")};
    bool negativeShown = false;
    QString minText = QStringLiteral("0");
    QString maxText = QStringLiteral("0");
    // Bumped whenever minText or maxText is written. The MIN and MAX boxes are editable:
    // what the user types stays until a new extreme or RESET writes the box again.
    int minWrites = 0;
    int maxWrites = 0;

    static constexpr int barSegments = 41;
};

// The readout's own running MIN/MAX of the readings' values since the last RESET.
// "No reading yet" is a flag of its own: 50000 is a value a reading can have (the
// 5000uF range counts in whole microfarads), so it cannot mean "unset".
struct RunningExtremes {
    double varmin = 50000;
    double varmax = 50000;
    bool empty = true;

    void reset()
    {
        varmax = 50000;
        varmin = 50000;
        empty = true;
    }
};
