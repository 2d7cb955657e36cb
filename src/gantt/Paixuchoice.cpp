#include "gantt/Paixuchoice.h"

#include "gantt/Ganttsort.h"

void TPaixuChoice::Confirm()
{
    modalResult = 1;
    if (!network) return;
    if (paixumode == 1) SortByGroup(*network);
    else SortByStart(*network);
}
