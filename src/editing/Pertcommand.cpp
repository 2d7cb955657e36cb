#include "editing/Pertcommand.h"

void CPertCommand::DrawFeedback(const Tpertgra&, ICanvas&, const TPertDrawMode&) const {}

void CPertCommand::Reset()
{
    presses = 0;
    finished = false;
    gestureValue = 0;
    dblClickDone = false;
}
