#pragma once
#include <cstdint>

#include "model/Position2d.h"

// Zoom and scroll of a document view. Pixels are those of the paint box:
// the whole drawing at the current zoom, of which the window shows the part
// starting at the scroll position.

inline constexpr double kMaxZoom = 200;
inline constexpr double kZoomStep = 1.1;

struct TPaintSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The visible part of the paint box.
struct TViewport {
    double scrollX = 0;
    double scrollY = 0;
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
};

// The paint box for a drawing: zoom/100 x (width + 2 x margin) + 100 wide and
// zoom/100 x height + 100 high, never smaller than the view less 16 pixels.
TPaintSize PaintBoxSize(double zoom, double drawingWidth, double margin, double drawingHeight,
                        int32_t viewWidth, int32_t viewHeight);

// The largest scroll positions of a paint box in a view (0 when it fits).
double MaxScrollX(const TPaintSize& box, const TViewport& view);
double MaxScrollY(const TPaintSize& box, const TViewport& view);

// The drawing point under a pixel of the view, and back.
TPosition2D DrawingOfPixel(double zoom, const TViewport& view, double px, double py);
TPosition2D PixelOfDrawing(double zoom, const TViewport& view, TPosition2D p);

// What ZoomAt found.
struct TZoomChange {
    bool done = false;     // false: the zoom was refused and nothing changes
    double zoom = 100;
    double scrollX = 0;    // the anchor stays where it was on screen
    double scrollY = 0;
};

// Zooms by factor in (zoomIn) or out around anchor (drawing units), given the
// paint box at the old zoom. Zooming in is refused at 200 % with factor > 1;
// zooming out is refused when the whole paint box is visible and the zoom is
// 100 % or less. The new zoom is capped at 200 %. The scroll positions are not
// clamped; the caller clamps them to the new paint box.
TZoomChange ZoomAt(double zoom, TPosition2D anchor, double factor, bool zoomIn,
                   const TViewport& view, const TPaintSize& box);

// True when the zoom is 100 % (within rounding of repeated steps).
bool IsActualSize(double zoom);
