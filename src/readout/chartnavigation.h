#pragma once

class GVarMod;

// Moving the charts' page through the log. Each operation either changes the page
// window or leaves it alone, and says which: the caller relabels and redraws only after
// a move. Pages start at 1, 101, 201, ... and hold at most 100 records; browsing is off
// exactly while the page holding the newest record is shown.

// To records 1..100, unless they are all there is.
bool goFirstPage(GVarMod &vars);
// One full page back, unless the first page is shown or the log is empty.
bool goPreviousPage(GVarMod &vars);
// One page on, unless the live page is shown or the log is empty. Reaching the live page
// ends browsing, so new readings move the page again.
bool goNextPage(GVarMod &vars);
// To the live page, ending browsing; moves (and redraws) also when already there.
bool goLastPage(GVarMod &vars);
