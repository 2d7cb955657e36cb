#include "editing/Pertcommand.h"

void CPertCommand::DrawFeedback(const Tpertgra&, ICanvas&, const TPertDrawMode&) const {}

void CPertCommand::Reset()
{
    presses = 0;
    finished = false;
    gestureValue = 0;
    dblClickDone = false;
}

TPointerShape PointerShapeOfHit(const std::string& hitClass)
{
    if (hitClass == "node") return TPointerShape::Hand;
    if (hitClass == "f") return TPointerShape::SizeFDiag;
    if (hitClass == "b") return TPointerShape::SizeBDiag;
    if (hitClass == "m" || hitClass == "fenzuline") return TPointerShape::SplitV;
    if (hitClass == "fenzu") return TPointerShape::GroupMove;
    return TPointerShape::Arrow;
}
