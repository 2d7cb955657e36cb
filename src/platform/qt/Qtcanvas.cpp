#include "platform/qt/Qtcanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

QString Q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

Qt::BrushStyle QtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case TBrushStyle::Solid: return Qt::SolidPattern;
    case TBrushStyle::Clear: return Qt::NoBrush;
    case TBrushStyle::Horizontal: return Qt::HorPattern;
    case TBrushStyle::Vertical: return Qt::VerPattern;
    case TBrushStyle::ForwardDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::BackwardDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::Cross: return Qt::CrossPattern;
    case TBrushStyle::DiagonalCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// The rectangle a pen outlines: the right and bottom edges are not part of
// a canvas rectangle, as on the classic surfaces.
QRect OutlineRect(const TCanvasRect& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QPolygon ToPolygon(const std::vector<TCanvasPoint>& points)
{
    QPolygon p;
    p.reserve(qsizetype(points.size()));
    for (const TCanvasPoint& q : points) p.append(QPoint(q.x, q.y));
    return p;
}

}

void InstallFontSubstitutions()
{
    const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Serif CJK SC",
                          "Source Han Sans SC",  "Source Han Serif SC", "AR PL UMing CN",
                          "AR PL UKai CN",       "Droid Sans Fallback"};
    for (const char* name :
         {"宋体", "新宋体", "黑体", "楷体", "楷体_GB2312", "仿宋", "仿宋_GB2312", "隶书", "幼圆",
          "微软雅黑", "华文宋体", "华文黑体", "华文楷体", "SimSun", "NSimSun", "SimHei", "KaiTi",
          "KaiTi_GB2312", "FangSong", "FangSong_GB2312", "LiSu", "YouYuan", "Microsoft YaHei"})
        QFont::insertSubstitutions(QString::fromUtf8(name), cjk);
    // Latin faces of old files: the metric twins first, then a CJK face for
    // the Chinese characters they are asked to show.
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans", "WenQuanYi Micro Hei"});
    QFont::insertSubstitutions("Times New Roman",
                               {"Liberation Serif", "DejaVu Serif", "WenQuanYi Micro Hei"});
    QFont::insertSubstitutions("Courier New",
                               {"Liberation Mono", "DejaVu Sans Mono", "WenQuanYi Micro Hei Mono"});
}

QColor QColorOf(int32_t color)
{
    const TRgb c = RgbOfColor(color);
    return QColor(c.r, c.g, c.b);
}

TQtCanvas::TQtCanvas(QPaintDevice* device, double pixelsPerInch)
    : owned_(std::make_unique<QPainter>(device)),
      painter_(owned_.get()),
      deviceSize_(device->width(), device->height()),
      ppi_(pixelsPerInch)
{
    Init();
}

TQtCanvas::TQtCanvas(QPainter& painter, QSize deviceSize, double pixelsPerInch)
    : painter_(&painter), deviceSize_(deviceSize), ppi_(pixelsPerInch)
{
    Init();
}

TQtCanvas::~TQtCanvas()
{
    if (!owned_) {
        // Hand the borrowed painter back as it came.
        ReadyPen();
        painter_->setWorldTransform(base_);
        painter_->setClipping(false);
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TQtCanvas::End()
{
    if (owned_ && owned_->isActive()) owned_->end();
}

void TQtCanvas::Init()
{
    base_ = painter_->worldTransform();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    painter_->setBackgroundMode(Qt::TransparentMode);
    ApplyPen();
    ApplyBrush();
    ApplyFont();
}

bool TQtCanvas::CanXor() const
{
    const QPaintEngine* e = painter_->paintEngine();
    return e && e->type() == QPaintEngine::Raster;
}

void TQtCanvas::ReadyPen()
{
    if (penPending_) ApplyPen();
}

void TQtCanvas::ApplyPen()
{
    penPending_ = false;
    const TCanvasPen& p = state_.pen;
    if (p.style == TPenStyle::Clear) {
        painter_->setPen(Qt::NoPen);
    } else {
        QPen pen(QColorOf(p.color));
        pen.setWidth(std::max(0, p.width));
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        switch (p.style) {
        case TPenStyle::Dash: pen.setStyle(Qt::DashLine); break;
        case TPenStyle::Dot: pen.setStyle(Qt::DotLine); break;
        case TPenStyle::DashDot: pen.setStyle(Qt::DashDotLine); break;
        case TPenStyle::DashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
        case TPenStyle::Custom: {
            // Qt counts dash patterns in pen widths.
            const double w = std::max(1, p.width);
            const double dash = std::max(1, p.dash) / w;
            const double gap = std::max(1, p.gap) / w;
            pen.setDashPattern({dash, gap});
            break;
        }
        default: pen.setStyle(Qt::SolidLine); break;
        }
        painter_->setPen(pen);
    }
    painter_->setCompositionMode(p.mode == TPenMode::Xor && CanXor()
                                     ? QPainter::RasterOp_SourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::ApplyBrush()
{
    const TCanvasBrush& b = state_.brush;
    if (b.style == TBrushStyle::Clear) painter_->setBrush(Qt::NoBrush);
    else painter_->setBrush(QBrush(QColorOf(b.color), QtBrushStyle(b.style)));
}

void TQtCanvas::ApplyFont()
{
    const TCanvasFont& f = state_.font;
    QFont q(Q(f.name));
    q.setPixelSize(std::max(1, int(std::lround(f.size * ppi_ / 72.0))));
    q.setBold((f.style & TCanvasFont::Bold) != 0);
    q.setItalic((f.style & TCanvasFont::Italic) != 0);
    q.setUnderline((f.style & TCanvasFont::Underline) != 0);
    q.setStrikeOut((f.style & TCanvasFont::StrikeOut) != 0);
    qfont_ = q;
    painter_->setFont(qfont_);
    metrics_.emplace(qfont_, painter_->device());
}

void TQtCanvas::ApplyMapping()
{
    const TCanvasMapping& m = state_.mapping;
    painter_->setWorldTransform(QTransform(m.scaleX, 0, 0, m.scaleY, m.originX, m.originY) * base_);
}

void TQtCanvas::ApplyClip()
{
    if (!state_.clip) {
        painter_->setClipping(false);
        return;
    }
    // The clip is kept in device units; set it without the mapping.
    const QTransform t = painter_->worldTransform();
    painter_->setWorldTransform(base_);
    painter_->setClipRect(*state_.clip);
    painter_->setWorldTransform(t);
}

void TQtCanvas::SetPen(const TCanvasPen& pen)
{
    state_.pen = pen;
    ApplyPen();
}

void TQtCanvas::SetBrush(const TCanvasBrush& brush)
{
    state_.brush = brush;
    ApplyBrush();
}

void TQtCanvas::SetFont(const TCanvasFont& font)
{
    const bool sameFace = font.name == state_.font.name && font.size == state_.font.size &&
                          font.style == state_.font.style;
    state_.font = font;
    if (!sameFace) ApplyFont();
}

void TQtCanvas::SetTextBackground(bool opaque, int32_t color)
{
    state_.textOpaque = opaque;
    state_.textBackColor = color;
}

void TQtCanvas::SetMapping(const TCanvasMapping& m)
{
    state_.mapping = m;
    ApplyMapping();
}

void TQtCanvas::SetClipRect(const TCanvasRect& r)
{
    const TCanvasMapping& m = state_.mapping;
    const QRectF d = QTransform(m.scaleX, 0, 0, m.scaleY, m.originX, m.originY)
                         .mapRect(QRectF(r.left, r.top, r.Width(), r.Height()));
    state_.clip = d.toAlignedRect();
    ApplyClip();
}

void TQtCanvas::ClearClip()
{
    state_.clip.reset();
    ApplyClip();
}

TCanvasRect TQtCanvas::ClipBox() const
{
    QRect d(QPoint(0, 0), deviceSize_);
    if (state_.clip) d = d.intersected(*state_.clip);
    const TCanvasMapping& m = state_.mapping;
    const QTransform t(m.scaleX, 0, 0, m.scaleY, m.originX, m.originY);
    bool invertible = false;
    const QTransform inv = t.inverted(&invertible);
    if (!invertible || d.isEmpty()) return TCanvasRect{};
    const QRectF l = inv.mapRect(QRectF(d));
    return TCanvasRect{int32_t(std::floor(l.left())), int32_t(std::floor(l.top())),
                       int32_t(std::ceil(l.right())), int32_t(std::ceil(l.bottom()))};
}

void TQtCanvas::Save()
{
    stack_.push_back(state_);
}

void TQtCanvas::Restore()
{
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
    ApplyPen();
    ApplyBrush();
    ApplyFont();
    ApplyMapping();
    ApplyClip();
}

void TQtCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    ReadyPen();
    if (keepDashes_ && DrawCutDashedLine(x1, y1, x2, y2)) return;
    painter_->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

bool TQtCanvas::DrawCutDashedLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const TCanvasPen& p = state_.pen;
    if (p.style == TPenStyle::Solid || p.style == TPenStyle::Clear) return false;
    if ((x1 == x2) == (y1 == y2)) return false;   // neither or both: not an axis line
    // Only a whole-pixel shift of a one-pixel pen: there the painter steps
    // the pattern one pixel at a time.
    const QTransform t = painter_->worldTransform();
    if (t.type() > QTransform::TxTranslate || p.width > 1) return false;
    const double tx = t.dx(), ty = t.dy();
    if (tx != std::floor(tx) || ty != std::floor(ty) || std::fabs(tx) > 1e9 || std::fabs(ty) > 1e9)
        return false;
    const bool vertical = x1 == x2;
    const int64_t shift = int64_t(vertical ? ty : tx);
    const int64_t size = vertical ? painter_->device()->height() : painter_->device()->width();
    int64_t a = int64_t(vertical ? y1 : x1) + shift;   // device, the pattern starts here
    int64_t b = int64_t(vertical ? y2 : x2) + shift;
    const int64_t lo = 0, hi = size - 1;
    if ((a < lo && b < lo) || (a > hi && b > hi)) return true;   // nothing on the surface
    if (a >= lo && a <= hi && b >= lo && b <= hi) return false;  // nothing to cut
    int64_t skipped = 0;
    if (a < lo) {
        skipped = lo - a;
        a = lo;
    } else if (a > hi) {
        skipped = a - hi;
        a = hi;
    }
    b = std::clamp(b, lo, hi);
    QPen pen = painter_->pen();
    const QPen keep = pen;
    pen.setDashOffset(pen.dashOffset() + double(skipped));
    painter_->setPen(pen);
    const int32_t na = int32_t(a - shift), nb = int32_t(b - shift);
    if (vertical) painter_->drawLine(QPoint(x1, na), QPoint(x2, nb));
    else painter_->drawLine(QPoint(na, y1), QPoint(nb, y2));
    painter_->setPen(keep);
    return true;
}

void TQtCanvas::Polyline(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 2) return;
    ReadyPen();
    painter_->drawPolyline(ToPolygon(points));
}

void TQtCanvas::Polygon(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 2) return;
    ReadyPen();
    painter_->drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void TQtCanvas::PolyBezier(const std::vector<TCanvasPoint>& points)
{
    if (points.size() < 4) return;
    ReadyPen();
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(QPointF(points[i].x, points[i].y), QPointF(points[i + 1].x, points[i + 1].y),
                     QPointF(points[i + 2].x, points[i + 2].y));
    const QBrush keep = painter_->brush();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPath(path);
    painter_->setBrush(keep);
}

void TQtCanvas::Rectangle(const TCanvasRect& r)
{
    if (r.IsEmpty()) return;
    ReadyPen();
    painter_->drawRect(OutlineRect(r));
}

void TQtCanvas::Ellipse(const TCanvasRect& r)
{
    if (r.IsEmpty()) return;
    ReadyPen();
    painter_->drawEllipse(OutlineRect(r));
}

void TQtCanvas::FillRect(const TCanvasRect& r)
{
    if (r.IsEmpty() || state_.brush.style == TBrushStyle::Clear) return;
    ReadyPen();   // the composition mode goes with the pen
    painter_->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), painter_->brush());
}

void TQtCanvas::BeginText()
{
    painter_->setPen(QColorOf(state_.font.color));
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (state_.textOpaque) {
        painter_->setBackgroundMode(Qt::OpaqueMode);
        painter_->setBackground(QBrush(QColorOf(state_.textBackColor)));
    }
}

void TQtCanvas::EndText()
{
    painter_->setBackgroundMode(Qt::TransparentMode);
    penPending_ = true;
}

void TQtCanvas::TextOut(int32_t x, int32_t y, const std::string& text)
{
    if (text.empty()) return;
    BeginText();
    painter_->drawText(QPoint(x, y + metrics_->ascent()), Q(text));
    EndText();
}

void TQtCanvas::TextRect(const TCanvasRect& clip, int32_t x, int32_t y, const std::string& text)
{
    if (text.empty() || clip.IsEmpty()) return;
    painter_->save();
    painter_->setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()),
                          state_.clip ? Qt::IntersectClip : Qt::ReplaceClip);
    TextOut(x, y, text);
    painter_->restore();
}

void TQtCanvas::DrawText(const TCanvasRect& r, const std::string& text, const TTextFormat& format)
{
    if (text.empty() || r.IsEmpty()) return;
    int flags = 0;
    switch (format.hAlign) {
    case TTextFormat::Center: flags |= Qt::AlignHCenter; break;
    case TTextFormat::Right: flags |= Qt::AlignRight; break;
    default: flags |= Qt::AlignLeft; break;
    }
    switch (format.vAlign) {
    case TTextFormat::Middle: flags |= Qt::AlignVCenter; break;
    case TTextFormat::Bottom: flags |= Qt::AlignBottom; break;
    default: flags |= Qt::AlignTop; break;
    }
    if (format.wordWrap) flags |= Qt::TextWordWrap;
    if (format.singleLine) flags |= Qt::TextSingleLine;
    if (!format.clip) flags |= Qt::TextDontClip;
    BeginText();
    painter_->drawText(QRect(r.left, r.top, r.Width(), r.Height()), flags, Q(text));
    EndText();
}

TCanvasSize TQtCanvas::TextExtent(const std::string& text) const
{
    return TCanvasSize{int32_t(metrics_->horizontalAdvance(Q(text))), int32_t(metrics_->height())};
}

std::unique_ptr<ICanvasImage> TQtCanvas::CreateImage(int32_t width, int32_t height)
{
    return std::make_unique<TQtCanvasImage>(width, height, ppi_);
}

void TQtCanvas::DrawImage(int32_t x, int32_t y, ICanvasImage& image)
{
    if (auto* q = dynamic_cast<TQtCanvasImage*>(&image)) {
        const QPainter::CompositionMode keep = painter_->compositionMode();
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_->drawImage(QPoint(x, y), q->Image());
        painter_->setCompositionMode(keep);
    }
}

TQtCanvasImage::TQtCanvasImage(int32_t width, int32_t height, double pixelsPerInch)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied),
      ppi_(pixelsPerInch)
{
    image_.fill(Qt::white);
}

TQtCanvasImage::~TQtCanvasImage() = default;

ICanvas& TQtCanvasImage::Canvas()
{
    if (!canvas_) canvas_ = std::make_unique<TQtCanvas>(&image_, ppi_);
    return *canvas_;
}

const QImage& TQtCanvasImage::Image()
{
    // The painting must be finished before the pixels are read; a later
    // Canvas() begins a fresh canvas on the same pixels.
    canvas_.reset();
    return image_;
}
