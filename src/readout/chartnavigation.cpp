#include "chartnavigation.h"

#include "meterlink/gvarmod.h"

bool goFirstPage(GVarMod &vars)
{
    if (vars.recordCount <= GVarMod::pageSize)
        return false;
    vars.browsing = true;
    vars.pageFirst = 1;
    vars.pagePoints = GVarMod::pageSize;
    return true;
}

bool goPreviousPage(GVarMod &vars)
{
    if (vars.pageFirst <= GVarMod::pageSize || vars.recordCount <= 0)
        return false;
    vars.browsing = true;
    vars.pageFirst -= GVarMod::pageSize;
    vars.pagePoints = GVarMod::pageSize;
    return true;
}

bool goNextPage(GVarMod &vars)
{
    if (vars.recordCount <= 0 || vars.recordCount - vars.pageFirst < GVarMod::pageSize)
        return false;
    vars.pageFirst += GVarMod::pageSize;
    if (vars.recordCount - vars.pageFirst < GVarMod::pageSize) {
        vars.pagePoints = vars.recordCount - vars.pageFirst + 1;
        vars.browsing = false;
    } else {
        vars.pagePoints = GVarMod::pageSize;
        vars.browsing = true;
    }
    return true;
}

bool goLastPage(GVarMod &vars)
{
    if (vars.recordCount <= 0)
        return false;
    vars.browsing = false;
    vars.followLive();
    return true;
}
