#pragma once
#include <cstdint>
#include <vector>

#include "editing/Pertcommand.h"
#include "editing/Selection.h"

class Tedge;
class Tvertex;

// The select tool of the network views: a drag over empty ground selects
// the works inside the rubber band, a click on a work selects that work and
// a click on empty ground clears the selection. A drag from a node onto
// another node merges them, a drag of a work line's front or back third
// onto a node re-attaches that end, a drag of its middle third moves the
// work (or the selection holding it) to another row. With Ctrl held at the
// press the drag becomes two clicks: the press point, then the target.
class TSelectCmd : public CPertCommand {
public:
    int32_t pressFlags = 1;      // flags of the first press of the gesture
    TPosition2D bandStart;       // the rubber band as last shown
    TPosition2D bandEnd;
    Tvertex* pressNode = nullptr;
    Tedge* pressWork = nullptr;
    Tvertex* lastNode = nullptr;
    // 's' rubber band, 'e' link gesture (from a node or a line's front or
    // back third), 'm' row move (from a line's middle third).
    char gestureMode = 's';
    bool bandShown = false;      // the rubber band is drawn
    bool linkShown = false;      // the link preview of a node or work-end drag is drawn
    bool markerShown = false;    // the press marker is drawn (link drags, Ctrl gestures)
    bool moveShown = false;      // the dragged work is drawn displaced to the pointer's row

    int32_t Kind() const override { return ckSelect; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    // The dotted band from the press point to the pointer while dragging.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;

    // Clears the gesture (the subclasses clear their own state too).
    virtual void ResetGesture();

protected:
    // The release about to be handled ends a plain click or rubber band of
    // the left button (no double click before it, no Shift, no Ctrl gesture):
    // the tools that act on the selection after it ask this first.
    bool EndsPlainGesture(int32_t flags) const
    {
        return !dblClickDone && presses == 1 && !(pressFlags & mfCtrl) && !(flags & mfShift) &&
               (flags & mfLeft);
    }
    // The press point on a work line is moved onto the line; the add tool
    // keeps the point itself.
    virtual bool SnapsToWorkLine() const { return true; }
    // The end of a rubber band (mode 's'); moved tells whether the pointer
    // left the press point. The select tool selects; the delete tool deletes.
    virtual int32_t BandReleased(Tpertgra& net, TPosition2D from, TPosition2D to, bool moved);
    // The end of a link or row-move drag: ApplyDrag in the network views.
    int32_t DragReleased(Tpertgra& net, Tedge* work, TPosition2D from, TPosition2D to);
};
