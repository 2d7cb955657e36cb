#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The segmentation tool: the select tool's gestures; a double click on a
// work opens "工作分段" to split it at the day under the pointer. A click or
// band that leaves the earliest selected work a segment with a next one
// opens "工作分段" to re-divide, merge or separate the pair; the selection is
// cleared afterwards.
class TFenduanCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckFenduan; }
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};
