#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The drawing surface every drawing goes through. Coordinates are whole
// logical units; the mapping turns them into device units. A canvas keeps
// a current pen, brush, font and text background; primitives use them.
// Implementations: the Qt canvas (screen, images, vector files, printer)
// and the recording canvas of the tests.

struct TCanvasPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TCanvasPoint&) const = default;
};

struct TCanvasSize {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const TCanvasSize&) const = default;
};

// [left, right) x [top, bottom); empty when right <= left or bottom <= top.
struct TCanvasRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const TCanvasRect&) const = default;
};

// Colours are 0x00BBGGRR; a value whose high byte is 0xFF names a system
// colour by its index in the low byte.
struct TRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const TRgb&) const = default;
};

// The one place where stored colours become red, green and blue.
TRgb RgbOfColor(int32_t color);
inline constexpr bool IsSystemColor(int32_t color)
{
    return (uint32_t(color) >> 24) == 0xFF;
}

enum class TPenStyle : int32_t {
    Solid,
    Dash,
    Dot,
    DashDot,
    DashDotDot,
    Clear,    // draws nothing
    Custom,   // dashes of `dash` units separated by `gap` units
};

// Copy paints the pen colour; Xor combines it with what is there, so a
// second identical drawing takes it away (drag feedback, selection marks).
// Surfaces that cannot combine (vector files) paint in copy mode.
enum class TPenMode : int32_t { Copy, Xor };

struct TCanvasPen {
    int32_t color = 0;
    int32_t width = 1;   // logical units; 0 draws one device pixel wide
    TPenStyle style = TPenStyle::Solid;
    TPenMode mode = TPenMode::Copy;
    int32_t dash = 0;    // Custom only
    int32_t gap = 0;
    bool operator==(const TCanvasPen&) const = default;
};

// The hatch styles of the project's brushes, same numbers.
enum class TBrushStyle : int32_t {
    Solid = 0,
    Clear = 1,
    Horizontal = 2,
    Vertical = 3,
    ForwardDiagonal = 4,
    BackwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

struct TCanvasBrush {
    int32_t color = 0xFFFFFF;
    TBrushStyle style = TBrushStyle::Solid;
    bool operator==(const TCanvasBrush&) const = default;
};

struct TCanvasFont {
    enum Style : int32_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    std::string name = "宋体";   // family name as stored; the surface substitutes
    int32_t size = 9;            // points, through the canvas' pixels per inch
    int32_t color = 0;           // text colour
    int32_t style = 0;
    int32_t charset = 1;
    bool operator==(const TCanvasFont&) const = default;
};

// Layout of DrawText in its rectangle.
struct TTextFormat {
    enum HAlign : int32_t { Left = 0, Center = 1, Right = 2 };
    enum VAlign : int32_t { Top = 0, Middle = 1, Bottom = 2 };

    HAlign hAlign = Left;
    VAlign vAlign = Top;
    bool wordWrap = false;    // break at words (and between CJK characters)
    bool singleLine = false;  // line breaks in the text are not followed
    bool clip = true;         // nothing outside the rectangle
    bool operator==(const TTextFormat&) const = default;
};

// device = logical x scale + origin, per axis. The classic window/viewport
// pair is one of these: FromExtents builds it.
struct TCanvasMapping {
    double scaleX = 1;
    double scaleY = 1;
    double originX = 0;
    double originY = 0;

    // device = (logical - windowOrigin) x viewportExtent / windowExtent + viewportOrigin.
    static TCanvasMapping FromExtents(double windowExtX, double windowExtY, double viewportExtX,
                                      double viewportExtY, double viewportOrgX = 0,
                                      double viewportOrgY = 0, double windowOrgX = 0,
                                      double windowOrgY = 0);
    bool IsIdentity() const { return scaleX == 1 && scaleY == 1 && originX == 0 && originY == 0; }
    bool operator==(const TCanvasMapping&) const = default;
};

class ICanvas;

// An off-screen picture with a canvas of its own, drawn onto another canvas
// in one piece.
class ICanvasImage {
public:
    virtual ~ICanvasImage() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual ICanvas& Canvas() = 0;
};

class ICanvas {
public:
    virtual ~ICanvas() = default;

    // ---- state ----
    virtual void SetPen(const TCanvasPen& pen) = 0;
    virtual const TCanvasPen& Pen() const = 0;
    virtual void SetBrush(const TCanvasBrush& brush) = 0;
    virtual const TCanvasBrush& Brush() const = 0;
    virtual void SetFont(const TCanvasFont& font) = 0;
    virtual const TCanvasFont& Font() const = 0;
    // Text cells are painted in `color` when opaque; transparent leaves the ground.
    virtual void SetTextBackground(bool opaque, int32_t color) = 0;

    virtual void SetMapping(const TCanvasMapping& m) = 0;
    virtual const TCanvasMapping& Mapping() const = 0;
    // Clip in logical units of the current mapping; replaces any earlier clip.
    virtual void SetClipRect(const TCanvasRect& r) = 0;
    virtual void ClearClip() = 0;
    // The visible part of the surface (device bounds and clip) in logical units.
    virtual TCanvasRect ClipBox() const = 0;
    // Pushes pen, brush, font, text background, mapping and clip; Restore pops them.
    virtual void Save() = 0;
    virtual void Restore() = 0;

    // Points per inch of the surface: a font of size s is s x ppi / 72 units high.
    virtual double PixelsPerInch() const = 0;

    // ---- primitives ----
    virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    virtual void Polyline(const std::vector<TCanvasPoint>& points) = 0;
    // Outlined with the pen and filled with the brush (odd-even rule).
    virtual void Polygon(const std::vector<TCanvasPoint>& points) = 0;
    // Cubic pieces: a start point and three points per piece (1 + 3n points).
    virtual void PolyBezier(const std::vector<TCanvasPoint>& points) = 0;
    // Outlined with the pen and filled with the brush.
    virtual void Rectangle(const TCanvasRect& r) = 0;
    virtual void Ellipse(const TCanvasRect& r) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(const TCanvasRect& r) = 0;

    // Text with its top-left corner at (x, y), in the current font.
    virtual void TextOut(int32_t x, int32_t y, const std::string& text) = 0;
    // The same, clipped to `clip`.
    virtual void TextRect(const TCanvasRect& clip, int32_t x, int32_t y,
                          const std::string& text) = 0;
    // Text laid out in the rectangle (aligned, optionally word-wrapped).
    virtual void DrawText(const TCanvasRect& r, const std::string& text,
                          const TTextFormat& format) = 0;
    // Width and height of one line of text in the current font, logical units.
    virtual TCanvasSize TextExtent(const std::string& text) const = 0;

    // ---- off-screen pictures ----
    virtual std::unique_ptr<ICanvasImage> CreateImage(int32_t width, int32_t height) = 0;
    // Copies the picture with its top-left corner at (x, y).
    virtual void DrawImage(int32_t x, int32_t y, ICanvasImage& image) = 0;
};

// Keeps the canvas state for a scope.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(ICanvas& c) : c_(c) { c_.Save(); }
    ~TCanvasStateSaver() { c_.Restore(); }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    ICanvas& c_;
};
