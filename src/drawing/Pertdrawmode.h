#pragma once
#include <cstdint>
#include <string>

#include "model/Position2d.h"

class ICanvas;

// Kinds of drawing pass.
enum TDrawKind : int32_t {
    dkScreen = 0,    // the document's off-screen image
    dkDrag = 3,      // feedback of the moving commands
    dkPrint = 6,     // the printer
    dkPreview = 7,   // a print preview page
};

// True for the passes that draw with the print palette.
inline constexpr bool IsPrintKind(int32_t kind)
{
    return kind == dkPrint || kind == dkPreview;
}

// The document window's conversion between device points and drawing units.
class TViewTransform {
public:
    virtual ~TViewTransform() = default;
    virtual TPosition2D DeviceToDrawing(TPosition2D p) const = 0;
    virtual TPosition2D DrawingToDevice(TPosition2D p) const = 0;
};

// What a drawing pass draws on and how: zoom and scroll of the screen, the
// factors that turn drawing units into device units, and the pass kind.
class TDrawMode {
public:
    double zoom = 100;       // percent
    double scrollX = 0;      // device offsets of the visible part
    double scrollY = 0;
    double xFactor = 1.0;    // every horizontal length is multiplied by it
    double yFactor = 1.0;    // every vertical length likewise
    const TViewTransform* view = nullptr;   // not owned
    std::string name;
    ICanvas* canvas = nullptr;              // not owned
    int32_t DrawKind = dkScreen;

    virtual ~TDrawMode() = default;
    virtual bool ToDevice(TPosition2D& p) const;
    virtual bool FromDevice(TPosition2D& p) const;

    // The screen mapping: window extent 100 x 100, viewport extent zoom x zoom,
    // viewport origin (-scrollX, -scrollY). At zoom 100 that is the plain 1:1
    // mapping moved by the scroll offsets.
    void ApplyScreenMapping() const;
};

// The drawing context of the network drawing.
class TPertDrawMode : public TDrawMode {
public:
    TPertDrawMode() = default;
    TPertDrawMode(ICanvas* c, int32_t kind, double xf = 1.0, double yf = 1.0)
    {
        canvas = c;
        DrawKind = kind;
        xFactor = xf;
        yFactor = yf;
    }

    // x times xFactor, y times yFactor.
    bool ToDevice(TPosition2D& p) const override;
    // x divided by xFactor, y by yFactor (a zero factor leaves the axis).
    bool FromDevice(TPosition2D& p) const override;

    // A horizontal or vertical drawing-unit value in device units, truncated
    // toward zero as it reaches the canvas.
    int32_t DevX(double x) const { return static_cast<int32_t>(xFactor * x); }
    int32_t DevY(double y) const { return static_cast<int32_t>(yFactor * y); }
};
