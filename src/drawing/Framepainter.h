#pragma once
#include <vector>

#include "drawing/Framelayout.h"
#include "drawing/Rulerpainter.h"
#include "drawing/Timeaxis.h"

class Tpertgra;
class Tpertgrid;
class TPertDrawMode;

// A rest period of the calendar as a band of calendar days [start, end).
struct TRestBand {
    double start = 0;
    double end = 0;
    bool operator==(const TRestBand&) const = default;
};

// The rest periods inside the plan (from day 0 to its end day) as calendar
// days, touching periods (one second apart or less) joined into one band.
std::vector<TRestBand> RestBands(const Tpertgra& net, double endDay);

// Draws the frame of the network's time-scaled drawing: top ruler rows,
// rest-day bands, start and end lines, border, bottom ruler rows, in the
// factors of the pass. The room of the explanation block is left empty.
class TFramePainter {
public:
    TFramePainter(const Tpertgra& net, Tpertgrid& grid, const TPertDrawMode& mode);

    void Draw();
    void DrawTopRows();
    void DrawRestBands();
    void DrawStartAndEndLines();
    void DrawBorder();
    void DrawBottomRows();

    // A vertical line at device x from y1 to y2 in the critical colour with
    // the outline triangles of the end marks at both ends (start, end and
    // check lines).
    static void DrawMarkedLine(ICanvas& c, int32_t x, int32_t y1, int32_t y2, int32_t color,
                               int32_t width, int32_t markSize);
    // The explanation block of a frame (grid) whose edges are those of
    // `frame`, with the frame's pen of width `framePen`: step 6 of the
    // network's frame, and the last part of the Gantt chart's, which shows
    // no legend.
    static void DrawExplanationBlock(Tpertgrid& grid, const Tpertgra& net,
                                     const TPertDrawMode& mode, const TFrameLayout& frame,
                                     int32_t framePen, bool legend);

    const TFrameLayout& Layout() const { return layout_; }
    const TTimeAxis& Axis() const { return axis_; }

private:
    class TNetworkRulerAxis : public IRulerAxis {
    public:
        explicit TNetworkRulerAxis(const TTimeAxis& a) : a_(a) {}
        double XOfDay(double day) const override;
        double DayWidthAt(double day) const override;
        double DefaultDayWidth() const override;

    private:
        const TTimeAxis& a_;
    };

    TRulerSetup Setup() const;

    const Tpertgra& net_;
    Tpertgrid& grid_;
    const TPertDrawMode& mode_;
    TTimeAxis axis_;
    TNetworkRulerAxis rulerAxis_;
    TFrameLayout layout_;
};
