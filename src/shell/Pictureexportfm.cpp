#include "shell/Pictureexportfm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"

namespace {

constexpr double kPixelsPerInch = 96;
// Largest raster picture written: 2^27 pixels (512 MB in memory).
constexpr double kMaxPixels = double(1 << 27);
constexpr int kMaxSide = 32767;

QString Q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void Fail(std::string* problem, const std::string& text)
{
    if (problem) *problem = text;
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

}

bool ExportPicture(Tpertgra& net, const std::string& path, TPicturePalette palette, double scale,
                   std::string* problem)
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
    if (raster) {
        if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
            Fail(problem, "the picture would be " + std::to_string(int64_t(w)) + " x " +
                              std::to_string(int64_t(h)) + " pixels; use a smaller scale");
            LoadPalette(net, dkScreen);
            return false;
        }
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
