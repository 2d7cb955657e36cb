#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "drawing/Framelayout.h"
#include "drawing/Timeaxis.h"
#include "platform/Canvas.h"

class Tpertgra;
class Tedge;
class Tvertex;
class TPertDrawMode;

// The drawing pass of the time-scaled network (views 1 and 3; view 2 draws
// its works and nodes the same way). Entry point for every caller:
//
//     LayoutNetwork(net, xf, yf);            // after a change, for the factors
//     TPertDrawMode mode(&canvas, dkScreen); // or dkPrint / dkPreview
//     DrawNetwork(net, mode);
//
// DrawNetwork loads the palette of the pass kind into the network's current
// display block, then draws the frame with rulers and rest-day bands, the
// group column, the works, the nodes, the end flag and the progress line
// onto mode.canvas in the canvas' current mapping. The caller fills the
// background first (the current block's backgroundColor after the pass,
// white for print passes); the selection is not part of the picture and is
// painted over it on every repaint with DrawSelection.
void DrawNetwork(Tpertgra& net, TPertDrawMode& mode);
// The same pass onto `canvas` (mode.canvas is set to it).
void DrawNetwork(Tpertgra& net, ICanvas& canvas, TPertDrawMode& mode);
// The highlight of the selected works: a dotted exclusive-or rectangle around
// each, so that painting it twice takes it away.
void DrawSelection(const Tpertgra& net, const TPertDrawMode& mode);

// Size of the whole picture of the network at factor 1 (drawing units, the
// positions of a layout at factor 1): the frame, or the nodes without it,
// and a margin as wide as the drawing's left margin to the right and below.
TCanvasSize DrawingSize(const Tpertgra& net);

// The six texts of a work's time-parameter table in the order ES, LS, EF,
// LF, TF, FF: the four dates on the calendar of the plan (a start on its
// calendar day, a finish on the day of its last second, as everywhere dates
// of works are shown), the two floats as numbers.
std::array<std::string, 6> TimeLabelTexts(const Tpertgra& net, const Tedge& work);

// The drawing of one pass with everything it computes once: the palette's
// pens and sizes in device units, the visible part of the canvas, the time
// axis and the frame geometry. The layout values of nodes and works must be
// those of the pass's factors.
class TPertDraw {
public:
    TPertDraw(Tpertgra& net, TPertDrawMode& mode);
    ~TPertDraw();
    TPertDraw(const TPertDraw&) = delete;
    TPertDraw& operator=(const TPertDraw&) = delete;

    // The whole pass (palette, frame, groups, works and nodes, end flag,
    // progress line).
    void Draw();
    // Ordinary works, then critical ones on top, then the nodes; things
    // outside the canvas' visible part are passed over.
    void DrawWorksAndNodes();
    void DrawWork(const Tedge& work);
    void DrawNode(const Tvertex& node);
    void DrawEndFlag();
    void DrawGroups();
    // The check line at calendar day `checkDay` and the progress polyline.
    void DrawProgressLine(double checkDay);
    // The time-parameter table of a work, moved by (dx, dy) drawing units
    // from where it stands; in a dkDrag pass only its outline in
    // exclusive-or mode (the feedback of the label drag).
    void DrawTimeLabel(const Tedge& work, int32_t dx = 0, int32_t dy = 0);

    // Where a work's time-parameter table stands in this pass (canvas units).
    TCanvasRect TimeLabelRect(const Tedge& work, int32_t dx = 0, int32_t dy = 0);

    const TFrameLayout& Layout() const { return layout_; }

private:
    struct TSettings;
    struct TWorkShape;
    struct TLabelBox;
    class THops;

    void ReadSettings();
    TWorkShape ShapeOf(const Tedge& work) const;
    void DrawShape(const TWorkShape& s, const std::vector<int32_t>* startHops,
                   const std::vector<int32_t>* endHops);
    void DrawMilestone(const TWorkShape& s, const std::vector<int32_t>* startHops,
                       const std::vector<int32_t>* endHops);
    void DrawJoin(int32_t x, int32_t y1, int32_t y2, bool dotted, const std::vector<int32_t>* hops);
    void DrawArrow(const TWorkShape& s);
    void DrawDuration(const TWorkShape& s);
    // The span a label of the work may use along its line: inside the drawn
    // line for placements 0 to 2, between the nodes for 3 to 5, kept `inset`
    // away from a node that lies on the line's row.
    void LabelSpan(const TWorkShape& s, int32_t align, int32_t inset, int32_t& p, int32_t& q) const;
    // Returns the top of the name's block (the line's y less the gap when no name).
    int32_t DrawName(const TWorkShape& s, bool draw);
    // Sum of the horizontal extents of the segments that follow a work.
    int64_t FollowingSpan(const Tedge& work);
    TLabelBox LabelBoxOf(const TWorkShape& s, int32_t nameTop, int32_t dx, int32_t dy);
    void DrawLabelBox(const TWorkShape& s, const TLabelBox& b);
    void SelectWorkFont(const Tedge& work);
    void SelectWorkPen(const TWorkShape& s);
    void Text(int32_t x, int32_t y, const std::string& text);
    void HLine(int32_t x1, int32_t x2, int32_t y);
    void DashedHLine(int32_t x1, int32_t x2, int32_t y, int32_t dash, int32_t gap);
    void Wave(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    bool Visible(const TWorkShape& s) const;

    Tpertgra& net_;
    TPertDrawMode& mode_;
    ICanvas* canvas_;
    TTimeAxis axis_;
    TFrameLayout layout_;
    std::unique_ptr<TSettings> set_;
    TCanvasRect visible_;   // the canvas' visible part, widened for labels
    std::unordered_map<const Tedge*, int64_t> following_;
};
