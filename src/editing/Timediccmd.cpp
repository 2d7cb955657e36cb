#include "editing/Timediccmd.h"

#include "editing/Relayout.h"
#include "editing/Hitpoint.h"
#include "editing/Timedic.h"
#include "model/Pertgra.h"

int32_t TtimedicCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    Tedge* work = HitAtPoint(net, lastPoint).work;
    if (OpenTimedicDialog(net, work) != 1) return 0;
    LayoutNetwork(net);
    return 1;
}
