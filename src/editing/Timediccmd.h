#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The time-difference tool of the network views: the select tool's
// gestures; a double click on a work opens "时差调整" for it.
class TtimedicCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckTimedic; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};
