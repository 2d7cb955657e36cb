#pragma once
#include <cstdint>

#include "editing/Pertcommand.h"

class Tedge;

// The hover command over a work's time-parameter table: a drag moves the
// table; the release adds the pointer's way to the table's offset.
class CMovetimedata : public CPertCommand {
public:
    Tedge* pressWork = nullptr;   // the work whose table was pressed, or null
    TPosition2D pressPoint;

    int32_t Kind() const override { return ckMovetimedata; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    // The outline of the table at the pointer's place while dragged.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;
};
