#include "shell/Pictureexportfm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QPainter>
#include <QSvgGenerator>
#include <QSysInfo>
#include <png.h>
#include <zlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/Displaylist.h"
#include "platform/qt/Qtcanvas.h"

namespace {

constexpr double kPixelsPerInch = 96;
// Largest JPEG or BMP picture written, drawn in one piece: 2^27 pixels
// (512 MB in memory).
constexpr double kMaxPixels = double(1 << 27);
constexpr int kMaxSide = 32767;
// A PNG picture is drawn in bands of rows and written row by row, so its
// size costs time, not memory. Its sides may reach 2^31 - 1 pixels; the
// area is kept to 2^32 pixels so that an absurd scale is refused, not
// drawn for hours.
constexpr double kPngMaxSide = 2147483647.0;
constexpr double kPngMaxPixels = 4294967296.0;
// Bytes of one band of a PNG picture; a row must fit in it.
constexpr int64_t kBandBytes = int64_t(32) << 20;
constexpr double kPngMaxRowPixels = double(kBandBytes / 4);

QString Q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void Fail(std::string* problem, const std::string& text)
{
    if (problem) *problem = text;
}

template <typename T>
bool TryResize(std::vector<T>& v, size_t n)
{
    try {
        v.resize(n);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The application a picture needs for its fonts. A program without one (the
// headless command line) gets one on the offscreen platform for the call.
class TGuiForExport {
public:
    TGuiForExport()
    {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt wants a private runtime folder; without a session there is none.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
            mkdir(dir.c_str(), 0700);
            struct stat st {};
            if (stat(dir.c_str(), &st) == 0 && st.st_uid == getuid() && (st.st_mode & 077) == 0)
                qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
        }
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    bool Ready() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

private:
    static inline int argc_ = 1;
    static inline char name_[] = "arrowplan";
    static inline char* argv_[] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// Draws the whole network with its ground onto a canvas of size units
// times scale.
void Paint(Tpertgra& net, ICanvas& canvas, int32_t kind, double scale, TCanvasSize size)
{
    TPertDrawMode mode(&canvas, kind);
    canvas.SetMapping(TCanvasMapping{scale, scale, 0, 0});
    LoadPalette(net, kind);
    canvas.SetBrush(TCanvasBrush{net.displaySettings.backgroundColor, TBrushStyle::Solid});
    canvas.FillRect(TCanvasRect{0, 0, size.cx, size.cy});
    DrawNetwork(net, mode);
}

// A PNG file written one row at a time (8-bit RGB). libpng reports errors
// by a long jump back into the call that met them; every call that can jump
// sets its target first and holds nothing that needs a destructor.
class TPngRowWriter {
public:
    ~TPngRowWriter()
    {
        if (png_) png_destroy_write_struct(&png_, &info_);
        if (file_) std::fclose(file_);
    }

    // Creates the file and writes the header of a width x height picture
    // whose rows come as 32-bit pixels of a QImage::Format_RGB32.
    bool Begin(const std::string& path, uint32_t width, uint32_t height)
    {
        file_ = std::fopen(path.c_str(), "wb");
        if (!file_) {
            error_ = "could not write " + path + ": " + std::strerror(errno);
            return false;
        }
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &TPngRowWriter::OnError,
                                       &TPngRowWriter::OnWarning);
        if (!png_) return Failed("no memory for the PNG writer");
        info_ = png_create_info_struct(png_);
        if (!info_) return Failed("no memory for the PNG writer");
        return Header(width, height);
    }

    bool Row(const uchar* pixels)
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_write_row(png_, pixels);
        return true;
    }

    bool Finish()
    {
        if (!End()) return false;
        png_destroy_write_struct(&png_, &info_);
        png_ = nullptr;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!closed) error_ = "could not finish the file";
        return closed;
    }

    const std::string& Error() const { return error_; }

private:
    bool Header(uint32_t width, uint32_t height)
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_init_io(png_, file_);
        // The reader's default limits do not bind a picture we write.
        png_set_user_limits(png_, 0x7fffffff, 0x7fffffff);
        png_set_IHDR(png_, info_, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        // A drawing is lines on a plain ground: the row above predicts
        // almost every byte, and the zero runs the "up" filter leaves
        // compress as runs. Trying every filter on every row and searching
        // for longer matches took most of the export's time (a file of
        // 8 MB instead of 18 for a 50,000 x 4,300 picture, in half as much
        // time again).
        png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_set_compression_strategy(png_, Z_RLE);
        png_write_info(png_, info_);
        // The rows hold 0xffRRGGBB words: on this byte order B, G, R and a
        // filler byte, which the writer drops.
        if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            png_set_bgr(png_);
            png_set_filler(png_, 0, PNG_FILLER_AFTER);
        } else {
            png_set_filler(png_, 0, PNG_FILLER_BEFORE);
        }
        return true;
    }
    bool End()
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_write_end(png_, info_);
        return true;
    }
    bool Failed(const char* text)
    {
        error_ = text;
        return false;
    }
    static void OnError(png_structp png, png_const_charp text)
    {
        auto* self = static_cast<TPngRowWriter*>(png_get_error_ptr(png));
        if (self && self->error_.empty()) self->error_ = std::string("PNG: ") + text;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}

    std::FILE* file_ = nullptr;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string error_;
};

// Draws the picture band by band and writes its rows. The drawing pass runs
// once into a display list that sees the whole picture (so it leaves nothing
// out, as when the picture is drawn in one piece); each band is painted in
// tiles at most kTileWidth wide, each tile playing only the primitives that
// meet it, and the rows of the band are written. The painter treats the
// pixels at the edge of its surface differently (a line ending on the edge
// row loses its last pixel), so every tile is painted kOverlap pixels larger
// on each side and only its inner part is kept.
constexpr int kOverlap = 32;
constexpr int kTileWidth = 8192;

bool WritePngInBands(Tpertgra& net, const std::string& path, int32_t kind, double scale,
                     TCanvasSize size, int w, int h, TPngBands shape, std::string* problem)
{
    int bandRows = shape.rows;
    if (bandRows <= 0)
        bandRows = int(std::clamp<int64_t>(kBandBytes / (std::max(1, w) * int64_t(4)), 1, h));
    bandRows = std::min(bandRows, h);
    const int tileWidth = std::min(w, shape.columns > 0 ? shape.columns : kTileWidth);
    const int64_t bands = (int64_t(h) + bandRows - 1) / bandRows;
    const int64_t tiles = (int64_t(w) + tileWidth - 1) / tileWidth;
    QImage tile(tileWidth + 2 * kOverlap, bandRows + 2 * kOverlap, QImage::Format_RGB32);
    std::vector<uint32_t> rows;
    if (tile.isNull() || !TryResize(rows, size_t(w) * size_t(bandRows))) {
        Fail(problem, "no memory for a band of the picture");
        return false;
    }

    // The pass, recorded once; text is measured on a canvas like the tiles'.
    QImage metricsImage(1, 1, QImage::Format_RGB32);
    TQtCanvas metrics(&metricsImage, kPixelsPerInch);
    // What a canvas of the whole picture reports as its visible part.
    const TCanvasRect whole{0, 0, int32_t(std::ceil(w / scale)), int32_t(std::ceil(h / scale))};
    TDisplayList list(metrics, whole);
    Paint(net, list, kind, scale, size);
    metrics.End();

    // The tiles each primitive meets, as device pixels of the picture.
    std::vector<std::vector<uint32_t>> cells(size_t(bands * tiles));
    auto device = [&](int64_t v) { return std::floor(double(v) * scale); };
    for (size_t i = 0; i < list.Count(); ++i) {
        const TCanvasRect& b = list.Bounds(i);
        const double left = device(b.left) - kOverlap, right = device(b.right) + kOverlap;
        const double top = device(b.top) - kOverlap, bottom = device(b.bottom) + kOverlap;
        if (right < 0 || bottom < 0 || left >= w || top >= h) continue;
        const int64_t c1 = int64_t(std::max(0.0, left)) / tileWidth;
        const int64_t c2 = std::min(tiles - 1, int64_t(std::min(double(w - 1), right)) / tileWidth);
        const int64_t r1 = int64_t(std::max(0.0, top)) / bandRows;
        const int64_t r2 = std::min(bands - 1, int64_t(std::min(double(h - 1), bottom)) / bandRows);
        for (int64_t r = r1; r <= r2; ++r)
            for (int64_t c = c1; c <= c2; ++c) cells[size_t(r * tiles + c)].push_back(uint32_t(i));
    }

    TPngRowWriter png;
    bool ok = png.Begin(path, uint32_t(w), uint32_t(h));
    for (int64_t band = 0; ok && band < bands; ++band) {
        const int64_t top = band * bandRows;
        const int count = int(std::min<int64_t>(bandRows, h - top));
        for (int64_t t = 0; t < tiles; ++t) {
            const int64_t left = t * tileWidth;
            const int width = int(std::min<int64_t>(tileWidth, w - left));
            tile.fill(Qt::white);
            {
                QPainter painter(&tile);
                painter.translate(-double(left - kOverlap), -double(top - kOverlap));
                TQtCanvas canvas(painter, QSize(w, h), kPixelsPerInch);
                canvas.KeepDashesAcrossEdges(true);
                canvas.SetMapping(TCanvasMapping{scale, scale, 0, 0});
                // The logical part of the picture the tile shows, for the
                // long polylines that are played only near it.
                const TCanvasRect area{
                    int32_t(std::floor(double(left - kOverlap) / scale)),
                    int32_t(std::floor(double(top - kOverlap) / scale)),
                    int32_t(std::ceil(double(left + width + kOverlap) / scale)),
                    int32_t(std::ceil(double(top + count + kOverlap) / scale))};
                list.Play(canvas, cells[size_t(band * tiles + t)], &area);
            }
            for (int r = 0; r < count; ++r)
                std::memcpy(rows.data() + size_t(r) * size_t(w) + size_t(left),
                            tile.constScanLine(kOverlap + r) + kOverlap * 4, size_t(width) * 4);
        }
        for (int r = 0; ok && r < count; ++r)
            ok = png.Row(reinterpret_cast<const uchar*>(rows.data() + size_t(r) * size_t(w)));
    }
    ok = ok && png.Finish();
    if (!ok) {
        Fail(problem, png.Error().empty() ? "could not write " + path : png.Error());
        std::remove(path.c_str());
    }
    return ok;
}

}

bool ExportPicture(Tpertgra& net, const std::string& path, TPicturePalette palette, double scale,
                   std::string* problem, TPngBands bands)
{
    if (!(scale > 0) || !std::isfinite(scale)) {
        Fail(problem, "the scale must be a positive number");
        return false;
    }
    const QString file = Q(path);
    const QString ext = QFileInfo(file).suffix().toLower();
    const bool raster = ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "bmp";
    if (!raster && ext != "svg" && ext != "pdf") {
        Fail(problem, "unknown picture format \"." + ext.toStdString() +
                          "\" (use .png, .jpg, .bmp, .svg or .pdf)");
        return false;
    }
    TGuiForExport gui;
    if (!gui.Ready()) {
        Fail(problem, "pictures need a graphical Qt application");
        return false;
    }
    InstallFontSubstitutions();

    // The print pass kind gives the print palette with its white ground.
    const int32_t kind = palette == TPicturePalette::Print ? dkPrint : dkScreen;
    LayoutNetwork(net, 1.0, 1.0);
    const TCanvasSize size = DrawingSize(net);
    const double w = std::ceil(size.cx * scale);
    const double h = std::ceil(size.cy * scale);
    bool ok = false;
    auto tooLarge = [&](const std::string& why) {
        Fail(problem, "the picture would be " + std::to_string(int64_t(w)) + " x " +
                          std::to_string(int64_t(h)) + " pixels" + why + "; use a smaller scale");
        LoadPalette(net, dkScreen);
        return false;
    };
    if (ext == "png") {
        if (w > kPngMaxSide || h > kPngMaxSide) return tooLarge(", more than a PNG picture can hold");
        if (w > kPngMaxRowPixels || w * h > kPngMaxPixels) return tooLarge("");
        ok = WritePngInBands(net, path, kind, scale, size, int(w), int(h), bands, problem);
    } else if (raster) {
        if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) return tooLarge("");
        QImage image(int(w), int(h), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            TQtCanvas canvas(&image, kPixelsPerInch);
            Paint(net, canvas, kind, scale, size);
        }
        const QByteArray format = ext == "jpeg" ? QByteArray("jpg") : ext.toLatin1();
        QImageWriter writer(file, format);
        if (format == "jpg") writer.setQuality(95);
        ok = writer.write(image);
        if (!ok) Fail(problem, writer.errorString().toStdString());
    } else if (ext == "svg") {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(QSize(int(w), int(h)));
        svg.setViewBox(QRect(0, 0, int(w), int(h)));
        svg.setResolution(int(kPixelsPerInch));
        svg.setTitle(Q(net.title));
        {
            TQtCanvas canvas(&svg, kPixelsPerInch);
            Paint(net, canvas, kind, scale, size);
            canvas.End();
        }
        ok = QFileInfo(file).size() > 0;
        if (!ok) Fail(problem, "could not write " + path);
    } else {
        QPdfWriter pdf(file);
        pdf.setResolution(int(kPixelsPerInch));
        pdf.setTitle(Q(net.title));
        pdf.setCreator("ArrowPlan");
        const QSizeF points(w * 72.0 / kPixelsPerInch, h * 72.0 / kPixelsPerInch);
        pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        {
            TQtCanvas canvas(&pdf, kPixelsPerInch);
            Paint(net, canvas, kind, scale, size);
            canvas.End();
        }
        ok = QFileInfo(file).size() > 0;
        if (!ok) Fail(problem, "could not write " + path);
    }
    LoadPalette(net, dkScreen);
    return ok;
}

bool WithPictureGui(const std::function<void()>& job)
{
    TGuiForExport gui;
    if (!gui.Ready()) return false;
    InstallFontSubstitutions();
    job();
    return true;
}
