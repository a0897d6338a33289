#include "showform.h"

// The trend chart and its navigation.

void ShowForm::relabelX(int)
{
}

void ShowForm::clearAndRedraw()
{
}

ChartView *ShowForm::openGraphChart()
{
    return nullptr;
}

void ShowForm::closeGraphForm()
{
}
