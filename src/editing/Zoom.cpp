#include "editing/Zoom.h"

#include <algorithm>
#include <cmath>

TPaintSize PaintBoxSize(double zoom, double drawingWidth, double margin, double drawingHeight,
                        int32_t viewWidth, int32_t viewHeight)
{
    const double z = zoom / 100;
    // Truncation toward zero on purpose: the box is a whole number of pixels.
    int32_t w = static_cast<int32_t>(z * (drawingWidth + 2 * margin) + 100);
    int32_t h = static_cast<int32_t>(z * drawingHeight + 100);
    w = std::max(w, viewWidth - 16);
    h = std::max(h, viewHeight - 16);
    return {w, h};
}

double MaxScrollX(const TPaintSize& box, const TViewport& view)
{
    return std::max(0, box.width - view.viewWidth);
}

double MaxScrollY(const TPaintSize& box, const TViewport& view)
{
    return std::max(0, box.height - view.viewHeight);
}

TPosition2D DrawingOfPixel(double zoom, const TViewport& view, double px, double py)
{
    return {(px + view.scrollX) * 100 / zoom, (py + view.scrollY) * 100 / zoom};
}

TPosition2D PixelOfDrawing(double zoom, const TViewport& view, TPosition2D p)
{
    return {p.x * zoom / 100 - view.scrollX, p.y * zoom / 100 - view.scrollY};
}

TZoomChange ZoomAt(double zoom, TPosition2D anchor, double factor, bool zoomIn,
                   const TViewport& view, const TPaintSize& box)
{
    TZoomChange c;
    c.zoom = zoom;
    c.scrollX = view.scrollX;
    c.scrollY = view.scrollY;
    if (zoomIn && zoom >= kMaxZoom && factor > 1) return c;
    if (!zoomIn && view.viewWidth >= box.width && view.viewHeight >= box.height && zoom <= 100)
        return c;
    const double oldX = anchor.x * zoom / 100 + view.scrollX;
    const double oldY = anchor.y * zoom / 100 + view.scrollY;
    double z = zoomIn ? zoom * factor : zoom / factor;
    if (z > kMaxZoom) z = kMaxZoom;
    const double newX = anchor.x * z / 100 + view.scrollX;
    const double newY = anchor.y * z / 100 + view.scrollY;
    c.done = true;
    c.zoom = z;
    c.scrollX = newX + view.scrollX - oldX;
    c.scrollY = newY + view.scrollY - oldY;
    return c;
}

bool IsActualSize(double zoom)
{
    return std::fabs(zoom - 100) < 1e-9;
}
