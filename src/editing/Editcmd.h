#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The edit tool: the select tool's gestures, where a drag from a node onto
// another node merges them, a drag of a work line's back third onto a node
// re-attaches the work's end and a drag of its middle third moves it to
// another row; a double click on a work opens the work dialog on it.
class TEditCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckEdit; }
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// Opens the work dialog in edit mode on the work; after 确定 with a change
// the network is laid out again and 1 is returned.
int32_t OpenEditDialog(Tpertgra& net, Tedge* work);
