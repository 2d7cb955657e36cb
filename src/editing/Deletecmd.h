#pragma once
#include <cstdint>

#include "editing/Selectcmd.h"

// The delete tool of the network views: the select tool's gestures, except
// that a rubber band deletes what it catches. One work caught opens the
// delete dialog for it; several are deleted after "真的要删除吗?". A double
// click on a work opens the delete dialog. Merging nodes, re-attaching
// work ends and moving rows stay available.
class TDeleteCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckDelete; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;

protected:
    int32_t BandReleased(Tpertgra& net, TPosition2D from, TPosition2D to, bool moved) override;
};
