#include "drawing/Biaozhudraw.h"

#include <cmath>

#include "drawing/Biaozhu.h"
#include "drawing/Canvasops.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"

namespace {

constexpr double kHitMargin = 3.5;
// Beyond this a box cannot be on any drawing.
constexpr double kFarOut = 1e8;

bool Sane(double v)
{
    return std::isfinite(v) && std::fabs(v) < kFarOut;
}

int32_t Device(double v)
{
    return static_cast<int32_t>(v);
}

}

std::optional<TAnnotationBox> AnnotationBox(const TBiaoZhu& a, const Tpertgra& net,
                                            const TTimeAxis& axis)
{
    if (!Sane(a.anchorDay) || !Sane(a.anchorXOffset) || !Sane(a.anchorRow) || !Sane(a.width) ||
        !Sane(a.height))
        return std::nullopt;
    TAnnotationBox b;
    b.left = axis.XOfTime(a.anchorDay, TShiftCount::Before) + a.anchorXOffset;
    b.top = Y0(net) + a.anchorRow * RowHeight(net);
    b.right = b.left + a.width;
    b.bottom = b.top + a.height;
    for (double v : {b.left, b.top, b.right, b.bottom})
        if (!Sane(v)) return std::nullopt;
    return b;
}

TBiaoZhu* AnnotationAt(const Tpertgra& net, TPosition2D p)
{
    if (ViewKind(net) != 1 || net.annotations.empty()) return nullptr;
    const TTimeAxis axis(net);
    for (const auto& a : net.annotations) {
        const auto b = AnnotationBox(*a, net, axis);
        if (!b) continue;
        if (b->left - kHitMargin < p.x && p.x < b->right + kHitMargin &&
            b->top - kHitMargin < p.y && p.y < b->bottom + kHitMargin)
            return a.get();
    }
    return nullptr;
}

bool OnCorner(const TBiaoZhu& a, const Tpertgra& net, TPosition2D p)
{
    const auto b = AnnotationBox(a, net, TTimeAxis(net));
    return b && std::hypot(p.x - b->right, p.y - b->bottom) < kHitMargin;
}

void MoveBy(TBiaoZhu& a, const Tpertgra& net, TPosition2D from, TPosition2D to)
{
    const double rowHeight = RowHeight(net);
    if (!(rowHeight >= 1)) return;
    const TTimeAxis axis(net);
    const auto b = AnnotationBox(a, net, axis);
    if (!b) return;
    const TPosition2D corner{b->left + (to.x - from.x), b->top + (to.y - from.y)};
    const TDayAtX d = axis.DayAtX(corner.x);
    a.anchor = corner;
    a.anchorDay = d.day;
    a.anchorXOffset = d.offset;
    a.anchorRow = (corner.y - Y0(net)) / rowHeight;
}

void ResizeTo(TBiaoZhu& a, const Tpertgra& net, TPosition2D p)
{
    const auto b = AnnotationBox(a, net, TTimeAxis(net));
    if (!b) return;
    a.width = p.x - b->left;
    a.height = p.y - b->top;
    if (a.width <= 10 || a.height <= 10) a.width = a.height = 10;
}

void DrawAnnotation(const TBiaoZhu& a, const Tpertgra& net, const TTimeAxis& axis,
                    const TPertDrawMode& mode)
{
    ICanvas* c = mode.canvas;
    const auto b = AnnotationBox(a, net, axis);
    if (!c || !b) return;
    const double xf = mode.xFactor, yf = mode.yFactor;
    const int32_t x = Device(b->left * xf), y = Device(b->top * yf);
    const int32_t w = Device(a.width * xf), h = Device(a.height * yf);
    const bool print = IsPrintKind(mode.DrawKind);
    const bool drag = mode.DrawKind == dkDrag;
    if (!drag) {
        TCanvasFont f = CanvasFontOf(a.font);
        f.color = print ? a.textPrintColor : a.textScreenColor;
        c->SetFont(f);
        c->SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Clear});
        TTextFormat format;
        format.wordWrap = true;
        format.clip = false;
        c->DrawText(TCanvasRect{Device(x + a.marginLeft), Device(y + a.marginTop),
                                Device(x + w - a.marginRight), Device(y + h - a.marginBottom)},
                    a.text, format);
    }
    if (a.hasFrame) {
        c->SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Clear});
        if (drag)
            c->SetPen(TCanvasPen{0xFFFFFF, 1, TPenStyle::Dot, TPenMode::Xor});
        else
            c->SetPen(TCanvasPen{print ? a.framePrintColor : a.frameScreenColor,
                                 Device(xf * a.boxLineWidth), TPenStyle::Solid, TPenMode::Copy});
        c->Rectangle(TCanvasRect{x, y, x + w, y + h});
    }
}

void DrawAnnotationHandle(const TBiaoZhu& a, const Tpertgra& net, const TTimeAxis& axis,
                          const TPertDrawMode& mode)
{
    ICanvas* c = mode.canvas;
    const auto b = AnnotationBox(a, net, axis);
    if (!c || !b) return;
    const int32_t cx = Device(b->right * mode.xFactor), cy = Device(b->bottom * mode.yFactor);
    c->SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Clear});
    c->SetPen(TCanvasPen{0x0000FF, 1, TPenStyle::Solid, TPenMode::Copy});
    c->Rectangle(TCanvasRect{cx - 4, cy - 4, cx + 4, cy + 4});
}
