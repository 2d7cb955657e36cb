#include "drawing/Biaozhudraw.h"

#include <algorithm>
#include <cmath>

#include "drawing/Biaozhu.h"
#include "drawing/Canvasops.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"
#include "platform/Messagebox.h"

namespace {

constexpr double kHitMargin = 3.5;
// Beyond this a box cannot be on any drawing.
constexpr double kFarOut = 1e8;

bool Sane(double v)
{
    return std::isfinite(v) && std::fabs(v) < kFarOut;
}

// Device units truncate toward zero; what a damaged file makes absurd
// becomes 0 rather than an undefined conversion.
int32_t Device(double v)
{
    return Sane(v) ? static_cast<int32_t>(v) : 0;
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

namespace {

void Place(TBiaoZhu& a, const std::optional<TAnnotationBox>& b)
{
    a.placed = b.has_value();
    if (b) a.placedAt = {b->left, b->top};
}

// The box as placed, else from a fresh axis (built once by the caller's
// first need of it).
std::optional<TAnnotationBox> PlacedBox(const TBiaoZhu& a, const Tpertgra& net,
                                        std::optional<TTimeAxis>& axis)
{
    if (a.placed) {
        if (!Sane(a.width) || !Sane(a.height)) return std::nullopt;
        return TAnnotationBox{a.placedAt.x, a.placedAt.y, a.placedAt.x + a.width,
                              a.placedAt.y + a.height};
    }
    if (!axis) axis.emplace(net);
    return AnnotationBox(a, net, *axis);
}

}  // namespace

bool InAnnotationView(const Tpertgra& net)
{
    return ViewKind(net) == 1;
}

std::optional<TAnnotationBox> ShownBox(const TBiaoZhu& a, const Tpertgra& net)
{
    std::optional<TTimeAxis> axis;
    return PlacedBox(a, net, axis);
}

void PlaceAnnotations(Tpertgra& net)
{
    if (net.annotations.empty()) return;
    if (!InAnnotationView(net)) {
        for (const auto& a : net.annotations) a->placed = false;
        return;
    }
    const TTimeAxis axis(net);
    for (const auto& a : net.annotations) Place(*a, AnnotationBox(*a, net, axis));
}

TBiaoZhu* AnnotationAt(const Tpertgra& net, TPosition2D p)
{
    if (!InAnnotationView(net) || net.annotations.empty()) return nullptr;
    std::optional<TTimeAxis> axis;
    for (const auto& a : net.annotations) {
        const auto b = PlacedBox(*a, net, axis);
        if (!b) continue;
        if (b->left - kHitMargin < p.x && p.x < b->right + kHitMargin &&
            b->top - kHitMargin < p.y && p.y < b->bottom + kHitMargin)
            return a.get();
    }
    return nullptr;
}

bool OnCorner(const TBiaoZhu& a, const Tpertgra& net, TPosition2D p)
{
    std::optional<TTimeAxis> axis;
    const auto b = PlacedBox(a, net, axis);
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
    Place(a, AnnotationBox(a, net, axis));
}

void ResizeTo(TBiaoZhu& a, const Tpertgra& net, TPosition2D p)
{
    const TTimeAxis axis(net);
    const auto b = AnnotationBox(a, net, axis);
    if (!b) return;
    a.width = p.x - b->left;
    a.height = p.y - b->top;
    if (a.width <= 10 || a.height <= 10) a.width = a.height = 10;
    Place(a, AnnotationBox(a, net, axis));
}

std::unique_ptr<TBiaoZhu> NewAnnotation(const Tpertgra& net, TPosition2D start, TPosition2D end)
{
    const double rowHeight = RowHeight(net);
    if (!InAnnotationView(net) || !(rowHeight >= 1)) return nullptr;
    const TTimeAxis axis(net);
    auto a = std::make_unique<TBiaoZhu>();
    const TDayAtX d = axis.DayAtX(start.x);
    a->anchorDay = d.day;
    a->anchorXOffset = d.offset;
    a->anchorRow = (start.y - Y0(net)) / rowHeight;
    a->anchor = start;
    a->width = end.x - start.x;
    a->height = end.y - start.y;
    Place(*a, AnnotationBox(*a, net, axis));
    return a;
}

bool DeleteAnnotationAt(Tpertgra& net, TPosition2D p)
{
    const TBiaoZhu* a = AnnotationAt(net, p);
    if (!a) return false;
    if (Messages().Show("真的要删除该标注吗?", "警告", TMsgIcon::Question, TMsgButtons::YesNo) !=
        TMsgAnswer::Yes)
        return false;
    auto& list = net.annotations;
    list.erase(std::find_if(list.begin(), list.end(), [a](const auto& x) { return x.get() == a; }));
    return true;
}

void DrawAnnotation(const TBiaoZhu& a, const Tpertgra& net, const TTimeAxis& axis,
                    const TPertDrawMode& mode)
{
    if (const auto b = AnnotationBox(a, net, axis)) DrawAnnotation(a, *b, mode);
}

void DrawAnnotation(const TBiaoZhu& a, const TAnnotationBox& box, const TPertDrawMode& mode)
{
    ICanvas* c = mode.canvas;
    if (!c) return;
    const double xf = mode.xFactor, yf = mode.yFactor;
    const int32_t x = Device(box.left * xf), y = Device(box.top * yf);
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
                                 Device(std::clamp(xf * a.boxLineWidth, 0.0, double(kWidestFrame))),
                                 TPenStyle::Solid, TPenMode::Copy});
        c->Rectangle(TCanvasRect{x, y, x + w, y + h});
    }
}

void DrawAnnotationHandle(const TBiaoZhu& a, const Tpertgra& net, const TPertDrawMode& mode)
{
    ICanvas* c = mode.canvas;
    const auto b = ShownBox(a, net);
    if (!c || !b) return;
    const int32_t cx = Device(b->right * mode.xFactor), cy = Device(b->bottom * mode.yFactor);
    c->SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Clear});
    c->SetPen(TCanvasPen{0x0000FF, 1, TPenStyle::Solid, TPenMode::Copy});
    c->Rectangle(TCanvasRect{cx - 4, cy - 4, cx + 4, cy + 4});
}
