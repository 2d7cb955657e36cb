#include "platform/Displaylist.h"

#include <algorithm>
#include <climits>
#include <cmath>

// An off-screen picture made through the list: the picture of the played-on
// surface, shared so that the list still holds it when it is played.
class TDisplayList::TImage : public ICanvasImage {
public:
    explicit TImage(std::shared_ptr<ICanvasImage> image) : image_(std::move(image)) {}
    int32_t Width() const override { return image_->Width(); }
    int32_t Height() const override { return image_->Height(); }
    ICanvas& Canvas() override { return image_->Canvas(); }
    const std::shared_ptr<ICanvasImage>& Shared() const { return image_; }

private:
    std::shared_ptr<ICanvasImage> image_;
};

namespace {

int32_t Clamped(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}

TCanvasRect Widened(const TCanvasRect& r, int32_t m)
{
    return TCanvasRect{Clamped(int64_t(r.left) - m), Clamped(int64_t(r.top) - m),
                       Clamped(int64_t(r.right) + m), Clamped(int64_t(r.bottom) + m)};
}

bool Meets(const TCanvasRect& a, const TCanvasRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}

TDisplayList::TDisplayList(ICanvas& metrics, const TCanvasRect& visible)
    : metrics_(metrics), visible_(visible), mapping_(metrics.Mapping())
{
    state_.pen = metrics.Pen();
    state_.brush = metrics.Brush();
    state_.font = metrics.Font();
    states_.push_back(state_);
}

TDisplayList::~TDisplayList() = default;

void TDisplayList::SetPen(const TCanvasPen& pen)
{
    state_.pen = pen;
}

void TDisplayList::SetBrush(const TCanvasBrush& brush)
{
    state_.brush = brush;
}

void TDisplayList::SetFont(const TCanvasFont& font)
{
    state_.font = font;
}

void TDisplayList::SetTextBackground(bool opaque, int32_t color)
{
    state_.textOpaque = opaque;
    state_.textBackColor = color;
}

void TDisplayList::SetClipRect(const TCanvasRect& r)
{
    state_.clip = TClip::Rect;
    state_.clipRect = r;
}

void TDisplayList::ClearClip()
{
    state_.clip = TClip::None;
    state_.clipRect = {};
}

void TDisplayList::Save()
{
    stack_.push_back(state_);
}

void TDisplayList::Restore()
{
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

int32_t TDisplayList::PixelMargin() const
{
    // Two device pixels in logical units, and one more unit for truncation.
    const double s = std::min(std::fabs(mapping_.scaleX), std::fabs(mapping_.scaleY));
    if (!(s > 1e-6)) return INT32_MAX / 4;
    return int32_t(std::min(std::ceil(2.0 / s), double(INT32_MAX / 4))) + 1;
}

int32_t TDisplayList::StrokeMargin() const
{
    const int32_t w = state_.pen.style == TPenStyle::Clear ? 0 : std::max(0, state_.pen.width);
    return Clamped(2 * int64_t(w) + PixelMargin());
}

TCanvasRect TDisplayList::PointBounds(const std::vector<TCanvasPoint>& points,
                                      int32_t margin) const
{
    if (points.empty()) return {};
    TCanvasRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const TCanvasPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y);
        r.bottom = std::max(r.bottom, p.y);
    }
    return Widened(r, margin);
}

TDisplayList::TItem& TDisplayList::Add(TKind kind, const TCanvasRect& bounds)
{
    if (!(state_ == states_.back())) states_.push_back(state_);
    TItem it;
    it.kind = kind;
    it.state = uint32_t(states_.size() - 1);
    items_.push_back(it);
    // Under a clip of the drawing's own a primitive is drawn wherever that
    // clip lets it, margins of the sheet included.
    bounds_.push_back(state_.clip == TClip::Target ? bounds : kEverywhere);
    return items_.back();
}

const TCanvasPoint* TDisplayList::AddPoints(const std::vector<TCanvasPoint>& points)
{
    constexpr size_t kBlock = size_t(1) << 16;
    const size_t n = points.size();
    TCanvasPoint* at = nullptr;
    if (n > kBlock / 4) {
        // A long line has a block of its own.
        blocks_.push_back(std::make_unique<TCanvasPoint[]>(n));
        at = blocks_.back().get();
    } else {
        if (blockFree_ < n) {
            blocks_.push_back(std::make_unique<TCanvasPoint[]>(kBlock));
            block_ = blocks_.back().get();
            blockFree_ = kBlock;
        }
        at = block_ + (kBlock - blockFree_);
        blockFree_ -= n;
    }
    std::copy(points.begin(), points.end(), at);
    return at;
}

uint32_t TDisplayList::AddText(const std::string& text)
{
    texts_.push_back(text);
    return uint32_t(texts_.size() - 1);
}

void TDisplayList::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    TItem& it = Add(TKind::Line, PointBounds({{x1, y1}, {x2, y2}}, StrokeMargin()));
    it.rect = TCanvasRect{x1, y1, x2, y2};
}

void TDisplayList::Polyline(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 2) return;
    TItem& it = Add(TKind::Polyline, PointBounds(points, StrokeMargin()));
    it.points = AddPoints(points);
    it.count = uint32_t(points.size());
    AddChunks(it);
}

void TDisplayList::Polygon(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 2) return;
    TItem& it = Add(TKind::Polygon, PointBounds(points, StrokeMargin()));
    it.points = AddPoints(points);
    it.count = uint32_t(points.size());
}

void TDisplayList::PolyBezier(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 4) return;
    // A cubic piece lies inside the hull of its four points.
    TItem& it = Add(TKind::Bezier, PointBounds(points, StrokeMargin()));
    it.points = AddPoints(points);
    it.count = uint32_t(points.size());
}

void TDisplayList::Rectangle(const TCanvasRect& r)
{
    if (r.IsEmpty()) return;
    Add(TKind::Rectangle, Widened(r, StrokeMargin())).rect = r;
}

void TDisplayList::Ellipse(const TCanvasRect& r)
{
    if (r.IsEmpty()) return;
    Add(TKind::Ellipse, Widened(r, StrokeMargin())).rect = r;
}

void TDisplayList::FillRect(const TCanvasRect& r)
{
    if (r.IsEmpty() || state_.brush.style == TBrushStyle::Clear) return;
    Add(TKind::FillRect, Widened(r, PixelMargin())).rect = r;
}

void TDisplayList::TextOut(int32_t x, int32_t y, const std::string& text)
{
    if (text.empty()) return;
    // Glyphs may reach beyond the advance and the line height (slanted or
    // overhanging faces, underlines): a line height more on every side.
    const TCanvasSize e = TextExtent(text);
    const int32_t m = Clamped(int64_t(std::max(0, e.cy)) + PixelMargin());
    const TCanvasRect box{x, y, Clamped(int64_t(x) + std::max(0, e.cx)),
                          Clamped(int64_t(y) + std::max(0, e.cy))};
    TItem& it = Add(TKind::Text, Widened(box, m));
    it.rect = TCanvasRect{x, y, 0, 0};
    it.first = AddText(text);
}

void TDisplayList::TextRect(const TCanvasRect& clip, int32_t x, int32_t y, const std::string& text)
{
    if (text.empty() || clip.IsEmpty()) return;
    TItem& it = Add(TKind::TextRect, Widened(clip, PixelMargin()));
    it.rect = TCanvasRect{x, y, 0, 0};
    it.rect2 = clip;
    it.first = AddText(text);
}

void TDisplayList::DrawText(const TCanvasRect& r, const std::string& text,
                            const TTextFormat& format)
{
    if (text.empty() || r.IsEmpty()) return;
    TItem& it = Add(TKind::DrawText, format.clip ? Widened(r, PixelMargin()) : kEverywhere);
    it.rect = r;
    it.format = format;
    it.first = AddText(text);
}

TCanvasSize TDisplayList::TextExtent(const std::string& text) const
{
    if (!(metrics_.Font() == state_.font)) metrics_.SetFont(state_.font);
    return metrics_.TextExtent(text);
}

std::unique_ptr<ICanvasImage> TDisplayList::CreateImage(int32_t width, int32_t height)
{
    std::shared_ptr<ICanvasImage> image = metrics_.CreateImage(width, height);
    if (!image) return nullptr;
    return std::make_unique<TImage>(std::move(image));
}

void TDisplayList::DrawImage(int32_t x, int32_t y, ICanvasImage& image)
{
    // Only pictures made through the list outlive the drawing.
    auto* own = dynamic_cast<TImage*>(&image);
    if (!own) return;
    const TCanvasRect box{x, y, Clamped(int64_t(x) + own->Width()),
                          Clamped(int64_t(y) + own->Height())};
    TItem& it = Add(TKind::Image, Widened(box, PixelMargin()));
    it.rect = TCanvasRect{x, y, 0, 0};
    it.first = uint32_t(images_.size());
    images_.push_back(own->Shared());
}

void TDisplayList::AddChunks(TItem& it)
{
    if (it.count <= 2 * kChunk) return;
    it.chunks = uint32_t(chunks_.size()) + 1;
    const TCanvasPoint* p = it.points;
    for (uint32_t k = 0; k + 1 < it.count; k += kChunk) {
        const uint32_t end = std::min(k + kChunk, it.count - 1);
        TCanvasRect r{p[k].x, p[k].y, p[k].x, p[k].y};
        for (uint32_t j = k; j <= end; ++j) {
            r.left = std::min(r.left, p[j].x);
            r.right = std::max(r.right, p[j].x);
            r.top = std::min(r.top, p[j].y);
            r.bottom = std::max(r.bottom, p[j].y);
        }
        chunks_.push_back(TCanvasRect{r.left, r.top, r.right + 1, r.bottom + 1});
    }
}

void TDisplayList::PlayPolylineNear(ICanvas& target, const TItem& it, const TCanvasRect& area,
                                    std::vector<TCanvasPoint>& run) const
{
    // A segment whose widened box misses the area paints nothing in it, nor
    // do the joins at its ends, which lie outside by the pen's width and
    // more; the runs between such segments are stroked as before.
    const TState& s = states_[it.state];
    const int32_t w = std::max(0, s.pen.width);
    const TCanvasRect near = Widened(area, Clamped(2 * int64_t(w) + PixelMargin()));
    const TCanvasPoint* p = it.points;
    run.clear();
    auto flush = [&] {
        if (!run.empty()) target.Polyline(run);
        run.clear();
    };
    auto segments = [&](uint32_t from, uint32_t to) {
        for (uint32_t k = from; k < to; ++k) {
            const TCanvasRect seg{std::min(p[k].x, p[k + 1].x), std::min(p[k].y, p[k + 1].y),
                                  std::max(p[k].x, p[k + 1].x) + 1,
                                  std::max(p[k].y, p[k + 1].y) + 1};
            if (Meets(seg, near)) {
                if (run.empty()) run.push_back(p[k]);
                run.push_back(p[k + 1]);
            } else {
                flush();
            }
        }
    };
    const uint32_t last = it.count - 1;   // segments 0 ... last - 1
    if (!it.chunks) {
        segments(0, last);
    } else {
        const TCanvasRect* box = chunks_.data() + (it.chunks - 1);
        for (uint32_t k = 0, c = 0; k < last; k += kChunk, ++c) {
            if (Meets(box[c], near)) segments(k, std::min(k + kChunk, last));
            else flush();
        }
    }
    flush();
}

void TDisplayList::PlayItem(ICanvas& target, size_t i, const TCanvasRect* area,
                            std::vector<TCanvasPoint>& scratch) const
{
    const TItem& it = items_[i];
    const TCanvasRect& r = it.rect;
    auto points = [&]() -> const std::vector<TCanvasPoint>& {
        scratch.assign(it.points, it.points + it.count);
        return scratch;
    };
    switch (it.kind) {
    case TKind::Line: target.Line(r.left, r.top, r.right, r.bottom); break;
    case TKind::Polyline:
        if (area && states_[it.state].pen.style == TPenStyle::Solid &&
            states_[it.state].pen.mode == TPenMode::Copy && it.count > 2) {
            const TCanvasRect& b = bounds_[i];
            if (b.left < area->left || b.right > area->right || b.top < area->top ||
                b.bottom > area->bottom) {
                PlayPolylineNear(target, it, *area, scratch);
                break;
            }
        }
        target.Polyline(points());
        break;
    case TKind::Polygon: target.Polygon(points()); break;
    case TKind::Bezier: target.PolyBezier(points()); break;
    case TKind::Rectangle: target.Rectangle(r); break;
    case TKind::Ellipse: target.Ellipse(r); break;
    case TKind::FillRect: target.FillRect(r); break;
    case TKind::Text: target.TextOut(r.left, r.top, texts_[it.first]); break;
    case TKind::TextRect: target.TextRect(it.rect2, r.left, r.top, texts_[it.first]); break;
    case TKind::DrawText: target.DrawText(r, texts_[it.first], it.format); break;
    case TKind::Image: target.DrawImage(r.left, r.top, *images_[it.first]); break;
    }
}

void TDisplayList::Play(ICanvas& target, const std::vector<uint32_t>& which,
                        const TCanvasRect* area) const
{
    TCanvasStateSaver outer(target);
    // The target's own clip, to go back to after a clip of the drawing.
    target.Save();
    const TState* applied = nullptr;
    std::vector<TCanvasPoint> scratch;
    for (const uint32_t i : which) {
        if (i >= items_.size()) continue;
        const TItem& it = items_[i];
        const TState& s = states_[it.state];
        if (applied != &s) {
            if (applied && applied->clip != TClip::Target && s.clip == TClip::Target) {
                target.Restore();
                target.Save();
                applied = nullptr;
            }
            if (!applied || !(applied->pen == s.pen)) target.SetPen(s.pen);
            if (!applied || !(applied->brush == s.brush)) target.SetBrush(s.brush);
            if (!applied || !(applied->font == s.font)) target.SetFont(s.font);
            if (!applied || applied->textOpaque != s.textOpaque ||
                applied->textBackColor != s.textBackColor)
                target.SetTextBackground(s.textOpaque, s.textBackColor);
            if (!applied || applied->clip != s.clip || !(applied->clipRect == s.clipRect)) {
                if (s.clip == TClip::Rect) target.SetClipRect(s.clipRect);
                else if (s.clip == TClip::None) target.ClearClip();
            }
            applied = &s;
        }
        PlayItem(target, i, area, scratch);
    }
    target.Restore();
}
