#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Canvas.h"

class QPaintDevice;

// Maps the Chinese face names the project files carry ("宋体", "黑体", ...)
// and their Latin spellings to the CJK faces installed here, so Chinese
// texts never show as boxes when the stored face is missing. Call once at
// program start, before the first canvas is made.
void InstallFontSubstitutions();

// A QColor of a stored colour (0x00BBGGRR or a system colour).
QColor QColorOf(int32_t color);

// The canvas on a QPainter: widgets, QImage, QSvgGenerator, QPdfWriter and
// printers. Logical units are the painter's coordinates before the mapping;
// font sizes in points become pixel sizes through pixelsPerInch.
class TQtCanvas : public ICanvas {
public:
    // Paints on the device with a painter of its own (ended with the canvas).
    explicit TQtCanvas(QPaintDevice* device, double pixelsPerInch = 96);
    // Paints through a painter someone else began (a widget's paint event).
    // deviceSize is the painter's device in device units.
    TQtCanvas(QPainter& painter, QSize deviceSize, double pixelsPerInch = 96);
    ~TQtCanvas() override;
    TQtCanvas(const TQtCanvas&) = delete;
    TQtCanvas& operator=(const TQtCanvas&) = delete;

    QPainter& Painter() { return *painter_; }
    // The painter starts the pattern of a dashed line again where the edge
    // of its surface cuts the line. With this on, a dashed horizontal or
    // vertical line of one device pixel that runs beyond the surface is cut
    // here, just inside the surface, with its pattern carried on: a part of
    // a picture painted on a surface of its own shows the dashes the whole
    // picture shows there.
    void KeepDashesAcrossEdges(bool on) { keepDashes_ = on; }
    // Ends the painting of an owned painter early (before saving the device).
    void End();

    void SetPen(const TCanvasPen& pen) override;
    const TCanvasPen& Pen() const override { return state_.pen; }
    void SetBrush(const TCanvasBrush& brush) override;
    const TCanvasBrush& Brush() const override { return state_.brush; }
    void SetFont(const TCanvasFont& font) override;
    const TCanvasFont& Font() const override { return state_.font; }
    void SetTextBackground(bool opaque, int32_t color) override;
    void SetMapping(const TCanvasMapping& m) override;
    const TCanvasMapping& Mapping() const override { return state_.mapping; }
    void SetClipRect(const TCanvasRect& r) override;
    void ClearClip() override;
    TCanvasRect ClipBox() const override;
    void Save() override;
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
        std::optional<QRect> clip;   // device units
    };

    void Init();
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    void ApplyMapping();
    void ApplyClip();
    // Pen and background for text (the font colour, the text background).
    void BeginText();
    void EndText();
    // The pen of the state, put back after text only when a primitive
    // needs it: a run of texts then sets the text pen once, which keeps
    // vector output (PDF) from writing the pen again around every text.
    void ReadyPen();
    bool CanXor() const;
    // Draws the line cut to the surface with its dashes carried on; false
    // when the line is not such a line and is drawn as it is.
    bool DrawCutDashedLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    bool keepDashes_ = false;
    std::unique_ptr<QPainter> owned_;
    QPainter* painter_ = nullptr;
    QSize deviceSize_;
    double ppi_;
    QTransform base_;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;   // of qfont_ on the device
    bool penPending_ = false;
    TState state_;
    std::vector<TState> stack_;
};

// An off-screen picture (white when made) with its own Qt canvas.
class TQtCanvasImage : public ICanvasImage {
public:
    TQtCanvasImage(int32_t width, int32_t height, double pixelsPerInch);
    ~TQtCanvasImage() override;
    int32_t Width() const override { return image_.width(); }
    int32_t Height() const override { return image_.height(); }
    ICanvas& Canvas() override;
    // The picture so far (the painting is finished first).
    const QImage& Image();

private:
    QImage image_;
    double ppi_;
    std::unique_ptr<TQtCanvas> canvas_;
};
