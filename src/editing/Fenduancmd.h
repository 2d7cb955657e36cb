#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The segmentation tool: the select tool's gestures; a double click on a
// work opens "工作分段" to split it at the day under the pointer.
class TFenduanCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckFenduan; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};
