#include "graphchart.h"

ChartLayout graphChartLayout()
{
    std::vector<int> levels;
    for (int k = 0; k <= 16; ++k)
        levels.push_back(31 + 27 * k);
    return {graphGeometry, {703, 492}, 707, std::move(levels), 490, 494};
}

GraphChart::GraphChart(GVarMod &vars, QWidget *parent)
    : TrendChart(vars, graphChartLayout(), parent)
{
}
