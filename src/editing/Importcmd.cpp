#include "editing/Importcmd.h"

#include "editing/Hitpoint.h"
#include "editing/Replacework.h"
#include "model/Pertgra.h"

int32_t TimportCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    // The first click's release usually ends the gesture and forgets the
    // pressed work: then the work under the double click counts.
    Tedge* work = pressWork ? pressWork : HitAtPoint(net, lastPoint).work;
    const Tpertgra* clip = clipSource ? clipSource() : nullptr;
    ResetGesture();
    dblClickDone = true;
    return PasteOverWork(net, work, clip);
}
