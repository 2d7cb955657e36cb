#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The edit tool: the select tool's gestures (merging nodes, re-attaching
// work ends, moving rows); a double click on a work opens the work dialog
// on it.
class TEditCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckEdit; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// Opens the work dialog in edit mode on the work; after 确定 with a change
// the network is laid out again and 1 is returned.
int32_t OpenEditDialog(Tpertgra& net, Tedge* work);
