#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The flow-line tool: the select tool's gestures; a click or band that
// leaves a chain of two or more works selected opens "参数设置" to generate
// a flow line from it. A selection that is no simple chain of real works is
// refused with "不能生成流水！".
class Cliushui : public TSelectCmd {
public:
    int32_t Kind() const override { return ckLiushui; }
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
};
