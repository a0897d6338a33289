#pragma once

#include "readout/trendchart.h"

// The graph window's chart: 703 x 492 px inside the border, an eighth of the scale
// between the 17 grid levels. The grid is drawn after the zero line, so the dotted grey
// level 247 lies over the black line.
ChartLayout graphChartLayout();

class GraphChart final : public TrendChart {
    Q_OBJECT
public:
    explicit GraphChart(GVarMod &vars, QWidget *parent = nullptr);
};
