#pragma once
#include <cstdint>

// Where the document's off-screen picture lies in the paint box: it holds
// the drawing of a region around the visible part, so that scrolling within
// it only copies pixels. Only the placement lives here; the window owns the
// picture itself.
class TViewCache {
public:
    // 5000 x 5000 pixels at most; a window asks for less when its view is
    // small (three views in each direction are plenty and a quarter of the memory).
    static constexpr int32_t kMaxSide = 5000;

    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = kMaxSide;
    int32_t height = kMaxSide;
    double scale = 1.0;
    bool locked = false;

    // The cache size for a view: three views each way, within 1 .. kMaxSide,
    // never smaller than the view itself.
    static int32_t SideFor(int32_t viewSide);

    // Re-places the picture for the visible rectangle; true when the origin
    // moved (the picture must be drawn again). When the view passes the right
    // edge the picture starts at the view; when the view is left of it, it
    // ends at the view's right edge, not before 0. The same vertically.
    bool Place(int32_t scrollX, int32_t scrollY, int32_t viewWidth, int32_t viewHeight);
    // True when the visible rectangle lies wholly inside the picture.
    bool Covers(int32_t scrollX, int32_t scrollY, int32_t viewWidth, int32_t viewHeight) const;
};
