#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class Tpertgra;
class IPrinter;
class ICanvas;
class TDisplayList;

// Screen pixels per inch of every page measure, fixed so that page counts
// do not depend on the monitor.
inline constexpr double kScreenPixelsPerInch = 96;

// The four print margins of the active view, drawing units: the drawing's
// origin and the network's right and bottom print margins, or the Gantt
// chart's margins in the Gantt view.
struct TPrintMargins {
    double left = 50;
    double top = 100;
    double right = 5;
    double bottom = 5;
};
TPrintMargins PrintMargins(const Tpertgra& net);

// The page geometry of the network on the printer: resolution (960 x 640
// when the printer cannot be asked), sheet and printable area, the
// drawing's size and the pages it takes. `problem` is set, and the pages
// are 0, when nothing can be printed: a printable area of zero or less, a
// print ratio of zero or less, or more pages than a job may take.
struct TPrintGeometry {
    double dx = 960;
    double dy = 640;
    double pageWidth = 0;   // printer pixels
    double pageHeight = 0;
    TPrintMargins marginsMm;
    double areaWidthMm = 0;
    double areaHeightMm = 0;
    double drawingWidth = 0;  // drawing units
    double drawingHeight = 0;
    int32_t across = 0;
    int32_t down = 0;
    std::string problem;

    int32_t Pages() const { return across * down; }
};
// Expects the network laid out at factor 1.
TPrintGeometry PrintGeometry(const Tpertgra& net, const IPrinter& printer);

// One sheet of the drawing in the device units of the surface that shows
// it: the printer (factors of its resolution) or the preview (factors 1 and
// the preview's scale).
struct TSheet {
    double xf = 1;
    double yf = 1;
    double scale = 1;         // the preview's zoom; 1 for the printer
    int32_t kind = 0;         // pass kind: dkPrint or dkPreview
    double width = 0;         // the whole sheet
    double height = 0;
    double left = 0;          // margins
    double top = 0;
    double right = 0;
    double bottom = 0;
    double areaWidth = 0;     // printable area: the part of the drawing a sheet holds
    double areaHeight = 0;
    int32_t across = 1;
    int32_t down = 1;
};
TSheet PrinterSheet(const TPrintGeometry& g);
// Sheets in screen pixels (96 to the inch) times scale.
TSheet PreviewSheet(const TPrintGeometry& g, double scale);
// Sheet (col, row) of the drawing with its top-left corner at the canvas'
// origin: white, clipped to the printable area (no margin towards the first
// column and the first row; no clip on a single sheet) and drawn by the pass
// of the network's view. The network must be laid out for the sheet's
// factors; its palette is the print palette afterwards.
void DrawSheet(Tpertgra& net, ICanvas& c, const TSheet& sheet, int32_t col, int32_t row);

// The sheets from ... to (numbered row by row from 1) of one job: the pass
// of the network's view is drawn once, kept as a display list, and every
// sheet plays only the primitives that meet its printable area, found in
// an index of the sheets each primitive meets. A sheet looks exactly as
// DrawSheet draws it. `metrics` is the surface the sheets are drawn on (for
// the text extents); the network must be laid out for the sheet's factors
// and must not change while the drawing is used.
class TSheetDrawing {
public:
    TSheetDrawing(Tpertgra& net, ICanvas& metrics, const TSheet& sheet, int32_t from, int32_t to);
    ~TSheetDrawing();
    TSheetDrawing(const TSheetDrawing&) = delete;
    TSheetDrawing& operator=(const TSheetDrawing&) = delete;

    // Draws sheet `page` (from ... to) onto c.
    void Draw(ICanvas& c, int32_t page) const;
    // How many primitives sheet `page` plays, of how many the pass drew.
    size_t PrimitivesOf(int32_t page) const;
    size_t Primitives() const;

private:
    const Tpertgra& net_;
    TSheet sheet_;
    int32_t from_;
    std::unique_ptr<TDisplayList> list_;
    std::vector<std::vector<uint32_t>> pages_;
};

// Most pages one job may take.
inline constexpr int32_t kMaxPrintPages = 10000;

// False with "未安装打印机！" or "打印机安装不正确！" when the printer cannot be used.
bool PrinterReady(const IPrinter& printer);
void ApplyPaper(IPrinter& printer, int32_t paperSize, int32_t orientation);
// "打印设置": the printer setup dialog over the network's paper; a confirmed
// dialog carries paper and orientation back into the network. True when it
// changed the network.
bool PrinterSetup(Tpertgra& net, IPrinter& printer);

// "打印": paper, page count, the print dialog, then the pages chosen.
// Returns true when pages were printed.
bool PrintNetwork(Tpertgra& net, IPrinter& printer);
// The job itself over pages from ... to (clamped to the pages there are),
// numbered row by row from 1. The network's screen palette and screen layout
// are restored on every path. False, after a message, when nothing or not
// everything could be printed.
bool PrintPages(Tpertgra& net, IPrinter& printer, int32_t from, int32_t to);

// "放大打印": both print ratios 2 larger. "缩小打印": both 2 smaller when both
// are above 2. True when they changed.
bool EnlargePrint(Tpertgra& net);
bool ShrinkPrint(Tpertgra& net);

// arrowplan-cli print FILE.prt OUT.pdf [--paper NAME] [--portrait|--landscape]
// [--ratio X[,Y]] [--view network|gantt|resource|logic]: every page the
// print command prints, one PDF page a sheet, with the project's paper and
// ratios unless the options say otherwise. `pdfPrinter` makes the printer
// that writes the file; without one the build cannot print. Returns the exit
// status: 0 done, 1 failed, 2 usage.
using TPdfPrinterMaker = std::function<std::unique_ptr<IPrinter>(const std::string& path)>;
int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TPdfPrinterMaker& pdfPrinter);
extern const char* const kPrintUsage;
