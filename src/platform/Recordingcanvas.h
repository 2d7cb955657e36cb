#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

// A canvas that draws nothing and keeps every primitive with the pen, brush,
// font, text background, mapping and clip in force, in logical units as
// given. Text extents come from a fixed metric, so tests know every width:
// a font of size s is em = max(1, round(s x ppi / 72)) units high; a
// character of one byte (ASCII) is max(1, (em + 1) / 2) wide, any other
// character em wide.
class TRecordingCanvas : public ICanvas {
public:
    enum class TKind {
        Line,
        Polyline,
        Polygon,
        Bezier,
        Rectangle,
        Ellipse,
        FillRect,
        Text,       // TextOut: points[0] is the corner
        TextRect,   // points[0] is the corner, rect the clip
        DrawText,   // rect and format
        Image,      // points[0] is the corner, rect the picture's size
    };

    struct TPrimitive {
        TKind kind = TKind::Line;
        std::vector<TCanvasPoint> points;
        TCanvasRect rect;
        std::string text;
        TTextFormat format;
        TCanvasPen pen;
        TCanvasBrush brush;
        TCanvasFont font;
        bool textOpaque = false;
        int32_t textBackColor = 0;
        TCanvasMapping mapping;
        std::optional<TCanvasRect> clip;
    };

    // The device is width x height units (everything inside is visible).
    explicit TRecordingCanvas(int32_t width = 100000, int32_t height = 100000, double ppi = 96);

    std::vector<TPrimitive> primitives;

    // The primitives of one kind, in drawing order.
    std::vector<TPrimitive> OfKind(TKind kind) const;
    // Every text drawn (TextOut, TextRect, DrawText), in drawing order.
    std::vector<std::string> Texts() const;
    void Clear() { primitives.clear(); }

    // The fixed metric, for tests that need a width without a canvas.
    static TCanvasSize Metric(const TCanvasFont& font, double ppi, const std::string& text);

    // ICanvas
    void SetPen(const TCanvasPen& pen) override { state_.pen = pen; }
    const TCanvasPen& Pen() const override { return state_.pen; }
    void SetBrush(const TCanvasBrush& brush) override { state_.brush = brush; }
    const TCanvasBrush& Brush() const override { return state_.brush; }
    void SetFont(const TCanvasFont& font) override { state_.font = font; }
    const TCanvasFont& Font() const override { return state_.font; }
    void SetTextBackground(bool opaque, int32_t color) override;
    void SetMapping(const TCanvasMapping& m) override { state_.mapping = m; }
    const TCanvasMapping& Mapping() const override { return state_.mapping; }
    void SetClipRect(const TCanvasRect& r) override;
    void ClearClip() override { state_.clip.reset(); }
    TCanvasRect ClipBox() const override;
    void Save() override { stack_.push_back(state_); }
    void Restore() override;
    double PixelsPerInch() const override { return ppi_; }

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
    struct TState {
        TCanvasPen pen;
        TCanvasBrush brush;
        TCanvasFont font;
        bool textOpaque = false;
        int32_t textBackColor = 0xFFFFFF;
        TCanvasMapping mapping;
        std::optional<TCanvasRect> clip;   // device units
    };

    TPrimitive Make(TKind kind) const;

    int32_t width_;
    int32_t height_;
    double ppi_;
    TState state_;
    std::vector<TState> stack_;
};
