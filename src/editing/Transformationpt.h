#pragma once
#include "drawing/Pertdrawmode.h"

// The document window's conversion between the pixels of its view and
// drawing units, for its zoom and scroll position.
class TpertTtransformationPt : public TViewTransform {
public:
    double zoom = 100;
    double scrollX = 0;
    double scrollY = 0;

    TpertTtransformationPt() = default;
    TpertTtransformationPt(double z, double sx, double sy) : zoom(z), scrollX(sx), scrollY(sy) {}

    // (pixel + scroll) x 100 / zoom.
    TPosition2D DeviceToDrawing(TPosition2D p) const override;
    // drawing x zoom / 100 - scroll.
    TPosition2D DrawingToDevice(TPosition2D p) const override;
};
