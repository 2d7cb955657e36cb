#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"

// A canvas that keeps the primitives of one drawing, each with the pen,
// brush, font and text background it was drawn with and a rectangle that
// holds every pixel it can paint, so that the drawing can be played onto
// another canvas later, whole or only the primitives that meet a part of
// it. A drawing made once is played onto many clipped sheets this way.
//
// Text is measured on `metrics` (the surface the list will be played on),
// whose font the list changes while it records; keep its state around the
// recording. ClipBox answers `visible`. The list is played in the mapping
// and the clip of the target; a drawing that sets a clip of its own has it
// set again when it is played, replacing the target's, as it would have.
class TDisplayList : public ICanvas {
public:
    TDisplayList(ICanvas& metrics, const TCanvasRect& visible);
    ~TDisplayList() override;

    // The bounds of a primitive that can paint anywhere (under a clip of
    // the drawing's own, or text laid out without a clip).
    static constexpr TCanvasRect kEverywhere{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2,
                                             INT32_MAX / 2};

    size_t Count() const { return items_.size(); }
    // Logical rectangle that holds every pixel primitive i can paint.
    const TCanvasRect& Bounds(size_t i) const { return bounds_[i]; }

    // Plays the primitives numbered in `which` (ascending) onto `target`;
    // the target's state is as before afterwards. With `area` (logical
    // units) a solid polyline that reaches beyond it is played only in the
    // runs of its segments that come near it: the pixels inside the area are
    // the same, and a long wavy line is not written whole on every sheet.
    void Play(ICanvas& target, const std::vector<uint32_t>& which,
              const TCanvasRect* area = nullptr) const;

    // ICanvas
    void SetPen(const TCanvasPen& pen) override;
    const TCanvasPen& Pen() const override { return state_.pen; }
    void SetBrush(const TCanvasBrush& brush) override;
    const TCanvasBrush& Brush() const override { return state_.brush; }
    void SetFont(const TCanvasFont& font) override;
    const TCanvasFont& Font() const override { return state_.font; }
    void SetTextBackground(bool opaque, int32_t color) override;
    void SetMapping(const TCanvasMapping& m) override { mapping_ = m; }
    const TCanvasMapping& Mapping() const override { return mapping_; }
    void SetClipRect(const TCanvasRect& r) override;
    void ClearClip() override;
    TCanvasRect ClipBox() const override { return visible_; }
    void Save() override;
    void Restore() override;
    double PixelsPerInch() const override { return metrics_.PixelsPerInch(); }

    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void Polyline(const std::vector<TCanvasPoint>& points) override;
    void Polygon(const std::vector<TCanvasPoint>& points) override;
    void PolyBezier(const std::vector<TCanvasPoint>& points) override;
    void Rectangle(const TCanvasRect& r) override;
    void Ellipse(const TCanvasRect& r) override;
    void FillRect(const TCanvasRect& r) override;
    void TextOut(int32_t x, int32_t y, const std::string& text) override;
    void TextRect(const TCanvasRect& clip, int32_t x, int32_t y, const std::string& text) override;
    void DrawText(const TCanvasRect& r, const std::string& text, const TTextFormat& format) override;
    TCanvasSize TextExtent(const std::string& text) const override;
    std::unique_ptr<ICanvasImage> CreateImage(int32_t width, int32_t height) override;
    void DrawImage(int32_t x, int32_t y, ICanvasImage& image) override;

private:
    enum class TKind : uint8_t {
        Line, Polyline, Polygon, Bezier, Rectangle, Ellipse, FillRect, Text, TextRect, DrawText,
        Image,
    };
    // The clip a primitive is drawn under: the target's, one the drawing
    // set (in logical units) or none.
    enum class TClip : uint8_t { Target, Rect, None };
    struct TState {
        TCanvasPen pen;
        TCanvasBrush brush;
        TCanvasFont font;
        bool textOpaque = false;
        int32_t textBackColor = 0xFFFFFF;
        TClip clip = TClip::Target;
        TCanvasRect clipRect;
        bool operator==(const TState&) const = default;
    };
    struct TItem {
        TKind kind = TKind::Line;
        uint32_t state = 0;
        const TCanvasPoint* points = nullptr;
        uint32_t first = 0;    // the text's or the picture's index
        uint32_t count = 0;    // number of points
        uint32_t chunks = 0;   // long polylines: 1 + the first of their chunk boxes
        TCanvasRect rect;      // Line: the two ends; Text, TextRect, Image: the corner in left/top
        TCanvasRect rect2;     // TextRect: the clip
        TTextFormat format;
    };
    class TImage;

    TItem& Add(TKind kind, const TCanvasRect& bounds);
    const TCanvasPoint* AddPoints(const std::vector<TCanvasPoint>& points);
    uint32_t AddText(const std::string& text);
    // Widening of a stroked outline: the pen with room for mitred corners,
    // and two device pixels either way for rounding.
    int32_t StrokeMargin() const;
    int32_t PixelMargin() const;
    TCanvasRect PointBounds(const std::vector<TCanvasPoint>& points, int32_t margin) const;
    void PlayItem(ICanvas& target, size_t i, const TCanvasRect* area,
                  std::vector<TCanvasPoint>& scratch) const;
    void PlayPolylineNear(ICanvas& target, const TItem& it, const TCanvasRect& area,
                          std::vector<TCanvasPoint>& run) const;
    // Boxes of the segments of a long polyline in groups, so that playing
    // it near a sheet passes over the far groups at once.
    static constexpr uint32_t kChunk = 32;
    void AddChunks(TItem& it);

    ICanvas& metrics_;
    TCanvasRect visible_;
    TCanvasMapping mapping_;
    TState state_;
    std::vector<TState> stack_;
    std::deque<TState> states_;   // no copies of the fonts as it grows
    // Deques and blocks: a drawing of a large plan grows to millions of
    // points, which are never copied as it grows.
    std::deque<TItem> items_;
    std::deque<TCanvasRect> bounds_;
    std::vector<std::unique_ptr<TCanvasPoint[]>> blocks_;
    TCanvasPoint* block_ = nullptr;   // the block short lines go into
    size_t blockFree_ = 0;
    std::vector<TCanvasRect> chunks_;
    std::vector<std::string> texts_;
    std::vector<std::shared_ptr<ICanvasImage>> images_;
};
