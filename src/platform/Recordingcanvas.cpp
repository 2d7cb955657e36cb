#include "platform/Recordingcanvas.h"

#include <algorithm>
#include <cmath>

namespace {

class TRecordingImage : public ICanvasImage {
public:
    TRecordingImage(int32_t w, int32_t h, double ppi) : w_(w), h_(h), canvas_(w, h, ppi) {}
    int32_t Width() const override { return w_; }
    int32_t Height() const override { return h_; }
    ICanvas& Canvas() override { return canvas_; }

private:
    int32_t w_;
    int32_t h_;
    TRecordingCanvas canvas_;
};

// Device rectangle of a logical one under the mapping (corners sorted).
TCanvasRect ToDevice(const TCanvasMapping& m, const TCanvasRect& r)
{
    const double x1 = r.left * m.scaleX + m.originX;
    const double x2 = r.right * m.scaleX + m.originX;
    const double y1 = r.top * m.scaleY + m.originY;
    const double y2 = r.bottom * m.scaleY + m.originY;
    return TCanvasRect{int32_t(std::floor(std::min(x1, x2))), int32_t(std::floor(std::min(y1, y2))),
                       int32_t(std::ceil(std::max(x1, x2))), int32_t(std::ceil(std::max(y1, y2)))};
}

}

TRecordingCanvas::TRecordingCanvas(int32_t width, int32_t height, double ppi)
    : width_(width), height_(height), ppi_(ppi)
{
}

void TRecordingCanvas::SetTextBackground(bool opaque, int32_t color)
{
    state_.textOpaque = opaque;
    state_.textBackColor = color;
}

void TRecordingCanvas::SetClipRect(const TCanvasRect& r)
{
    state_.clip = ToDevice(state_.mapping, r);
}

TCanvasRect TRecordingCanvas::ClipBox() const
{
    TCanvasRect d{0, 0, width_, height_};
    if (state_.clip) {
        d.left = std::max(d.left, state_.clip->left);
        d.top = std::max(d.top, state_.clip->top);
        d.right = std::min(d.right, state_.clip->right);
        d.bottom = std::min(d.bottom, state_.clip->bottom);
    }
    const TCanvasMapping& m = state_.mapping;
    if (m.scaleX == 0 || m.scaleY == 0) return TCanvasRect{};
    const double x1 = (d.left - m.originX) / m.scaleX;
    const double x2 = (d.right - m.originX) / m.scaleX;
    const double y1 = (d.top - m.originY) / m.scaleY;
    const double y2 = (d.bottom - m.originY) / m.scaleY;
    return TCanvasRect{int32_t(std::floor(std::min(x1, x2))), int32_t(std::floor(std::min(y1, y2))),
                       int32_t(std::ceil(std::max(x1, x2))), int32_t(std::ceil(std::max(y1, y2)))};
}

void TRecordingCanvas::Restore()
{
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

TRecordingCanvas::TPrimitive TRecordingCanvas::Make(TKind kind) const
{
    TPrimitive p;
    p.kind = kind;
    p.pen = state_.pen;
    p.brush = state_.brush;
    p.font = state_.font;
    p.textOpaque = state_.textOpaque;
    p.textBackColor = state_.textBackColor;
    p.mapping = state_.mapping;
    p.clip = state_.clip;
    return p;
}

void TRecordingCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    TPrimitive p = Make(TKind::Line);
    p.points = {{x1, y1}, {x2, y2}};
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::Polyline(const std::vector<TCanvasPoint>& points)
{
    TPrimitive p = Make(TKind::Polyline);
    p.points = points;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::Polygon(const std::vector<TCanvasPoint>& points)
{
    TPrimitive p = Make(TKind::Polygon);
    p.points = points;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::PolyBezier(const std::vector<TCanvasPoint>& points)
{
    TPrimitive p = Make(TKind::Bezier);
    p.points = points;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::Rectangle(const TCanvasRect& r)
{
    TPrimitive p = Make(TKind::Rectangle);
    p.rect = r;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::Ellipse(const TCanvasRect& r)
{
    TPrimitive p = Make(TKind::Ellipse);
    p.rect = r;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::FillRect(const TCanvasRect& r)
{
    TPrimitive p = Make(TKind::FillRect);
    p.rect = r;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::TextOut(int32_t x, int32_t y, const std::string& text)
{
    TPrimitive p = Make(TKind::Text);
    p.points = {{x, y}};
    p.text = text;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::TextRect(const TCanvasRect& clip, int32_t x, int32_t y,
                                const std::string& text)
{
    TPrimitive p = Make(TKind::TextRect);
    p.points = {{x, y}};
    p.rect = clip;
    p.text = text;
    primitives.push_back(std::move(p));
}

void TRecordingCanvas::DrawText(const TCanvasRect& r, const std::string& text,
                                const TTextFormat& format)
{
    TPrimitive p = Make(TKind::DrawText);
    p.rect = r;
    p.text = text;
    p.format = format;
    primitives.push_back(std::move(p));
}

TCanvasSize TRecordingCanvas::Metric(const TCanvasFont& font, double ppi, const std::string& text)
{
    const int32_t em = std::max<int32_t>(1, int32_t(std::lround(font.size * ppi / 72.0)));
    const int32_t half = std::max<int32_t>(1, (em + 1) / 2);
    int32_t w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) w += half;
        else if ((c & 0xC0) != 0x80) w += em;   // lead byte of a longer character
    }
    return TCanvasSize{w, em};
}

TCanvasSize TRecordingCanvas::TextExtent(const std::string& text) const
{
    return Metric(state_.font, ppi_, text);
}

std::unique_ptr<ICanvasImage> TRecordingCanvas::CreateImage(int32_t width, int32_t height)
{
    return std::make_unique<TRecordingImage>(width, height, ppi_);
}

void TRecordingCanvas::DrawImage(int32_t x, int32_t y, ICanvasImage& image)
{
    TPrimitive p = Make(TKind::Image);
    p.points = {{x, y}};
    p.rect = TCanvasRect{x, y, x + image.Width(), y + image.Height()};
    primitives.push_back(std::move(p));
}

std::vector<TRecordingCanvas::TPrimitive> TRecordingCanvas::OfKind(TKind kind) const
{
    std::vector<TPrimitive> out;
    for (const TPrimitive& p : primitives)
        if (p.kind == kind) out.push_back(p);
    return out;
}

std::vector<std::string> TRecordingCanvas::Texts() const
{
    std::vector<std::string> out;
    for (const TPrimitive& p : primitives)
        if (p.kind == TKind::Text || p.kind == TKind::TextRect || p.kind == TKind::DrawText)
            out.push_back(p.text);
    return out;
}
