#pragma once

#include "meterlink/gvarmod.h"

// Puts one record into the log as the pipeline would.
inline void addRecord(GVarMod &vars, const QString &funcName, const QString &valueText,
                      const QString &unit, const QString &stamp, double value = 0)
{
    const int n = vars.appendRecord();
    ReadingRecord &r = vars.log[n];
    r.nr = n;
    r.funcName = funcName;
    r.valueText = valueText;
    r.unit = unit;
    r.stamp = stamp;
    r.value = value;
}
