#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "editing/Selectcmd.h"

struct TAddAnchors;

// The add tool of the network views. A drag from a node or from empty
// ground opens the work dialog in add mode on the start, entry and end
// points (and the nodes under them); while dragging, a box above the press
// point shows the start date, the date under the pointer and the days
// between. A double click on a node adds a work after it, on a work line
// before, across or after that work, on empty ground a free work. A drag
// from a work line re-attaches its end or moves it to another row, as with
// the select tool.
class TAddWorkCmd : public TSelectCmd {
public:
    // bandEnd doubles as the entry point: where the pointer first came over
    // a node during the drag, (0, 0) while it is not over a node.
    bool infoShown = false;      // the date box is drawn

    TAddWorkCmd() { gestureMode = 'a'; }
    int32_t Kind() const override { return ckAddWork; }
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;

    // The lower row of the date box for the press point and a pointer:
    // start date, date under the pointer, whole days between them.
    static std::array<std::string, 3> InfoTexts(const Tpertgra& net, TPosition2D press,
                                                TPosition2D pointer);
    // The end of a drag: 1 when a work was added or a work end moved.
    static int32_t AddGesture(Tpertgra& net, TPosition2D start, TPosition2D entry,
                              TPosition2D end);

    // Also clears the entry point and the date box; the gesture is 'a' again.
    void ResetGesture() override;

protected:
    bool SnapsToWorkLine() const override { return false; }
    // The lower row of the date box for the gesture so far.
    virtual std::array<std::string, 3> GestureInfo(const Tpertgra& net) const
    {
        return InfoTexts(net, startPoint, lastPoint);
    }
};

// Opens the work dialog in add mode on the anchors; after 确定 with a
// change the network is laid out again and 1 is returned.
int32_t OpenAddDialog(Tpertgra& net, const TAddAnchors& anchors);
