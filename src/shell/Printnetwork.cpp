#include "shell/Printnetwork.h"

#include <algorithm>
#include <climits>
#include <cctype>
#include <charconv>
#include <cmath>
#include <ostream>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Pertsetdata.h"
#include "editing/Relayout.h"
#include "file/Projectfile.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "platform/Displaylist.h"
#include "platform/Messagebox.h"
#include "platform/Printer.h"

namespace {

constexpr double kMmPerInch = 25.4;

// Puts back the screen palette and the screen layout when a job ends, however it ends.
class TScreenStateKeeper {
public:
    explicit TScreenStateKeeper(Tpertgra& net) : net_(net) {}
    ~TScreenStateKeeper()
    {
        LoadPalette(net_, dkScreen);
        LayoutNetwork(net_, 1.0, 1.0);
    }

private:
    Tpertgra& net_;
};

}

TPrintMargins PrintMargins(const Tpertgra& net)
{
    if (ViewKind(net) == 0) {
        const Tgantt& g = net.liveGantt;
        return {double(g.leftMargin), double(g.topMargin), g.margins.rightMargin,
                g.margins.bottomMargin};
    }
    return {net.groups.origin.x, net.groups.origin.y, net.printRightMargin, net.printBottomMargin};
}

TPrintGeometry PrintGeometry(const Tpertgra& net, const IPrinter& printer)
{
    TPrintGeometry g;
    int32_t dx = 0, dy = 0;
    if (printer.Resolution(dx, dy) && dx > 0 && dy > 0) {
        g.dx = dx;
        g.dy = dy;
    }
    const TCanvasSize page = printer.PagePixels();
    g.pageWidth = page.cx;
    g.pageHeight = page.cy;
    const TPrintMargins m = PrintMargins(net);
    auto mm = [](double v) { return v * kMmPerInch / kScreenPixelsPerInch; };
    g.marginsMm = {mm(m.left), mm(m.top), mm(m.right), mm(m.bottom)};
    g.areaWidthMm = g.pageWidth / g.dx * kMmPerInch - g.marginsMm.left - g.marginsMm.right;
    g.areaHeightMm = g.pageHeight / g.dy * kMmPerInch - g.marginsMm.top - g.marginsMm.bottom;
    const TCanvasSize size = DrawingSize(net);
    g.drawingWidth = std::max(0.0, size.cx - m.left);
    g.drawingHeight = std::max(0.0, size.cy - m.top);
    const TDisplaySettings& d = net.displaySettings;
    if (!(g.areaWidthMm > 0) || !(g.areaHeightMm > 0)) {
        g.problem = "页边距大于纸张，无法打印！请在“打印调整”中减小页边距或换用更大的纸张。";
        return g;
    }
    if (d.printRatioX <= 0 || d.printRatioY <= 0) {
        g.problem = "打印比例必须大于0！请在“打印调整”中设置打印比例。";
        return g;
    }
    const double across =
        std::ceil(g.drawingWidth * d.printRatioX / 100.0 / kScreenPixelsPerInch * kMmPerInch /
                  g.areaWidthMm);
    const double down =
        std::ceil(g.drawingHeight * d.printRatioY / 100.0 / kScreenPixelsPerInch * kMmPerInch /
                  g.areaHeightMm);
    const double a = std::max(1.0, across);
    const double b = std::max(1.0, down);
    if (!(a * b <= kMaxPrintPages)) {
        g.problem = "打印页数过多，无法打印！请减小打印比例。";
        return g;
    }
    g.across = int32_t(a);
    g.down = int32_t(b);
    return g;
}

bool PrinterReady(const IPrinter& printer)
{
    if (printer.Printers().empty()) {
        ShowWarning("未安装打印机！");
        return false;
    }
    int32_t dx = 0, dy = 0;
    if (!printer.Resolution(dx, dy) || dx <= 0) {
        ShowWarning("打印机安装不正确！");
        return false;
    }
    return true;
}

void ApplyPaper(IPrinter& printer, int32_t paperSize, int32_t orientation)
{
    printer.SetPaper(paperSize, orientation == 0 ? 0 : 1);
}

bool PrinterSetup(Tpertgra& net, IPrinter& printer)
{
    if (!PrinterReady(printer)) return false;
    TDisplaySettings& d = net.displaySettings;
    ApplyPaper(printer, d.paperSize, d.orientation);
    if (!printer.SetupDialog()) return false;
    const int32_t paper = printer.PaperCode();
    const int32_t orientation = printer.Orientation();
    if (paper == d.paperSize && orientation == d.orientation) return false;
    d.paperSize = paper;
    d.orientation = orientation;
    net.modified = true;
    return true;
}

bool PrintNetwork(Tpertgra& net, IPrinter& printer)
{
    if (!PrinterReady(printer)) return false;
    const TDisplaySettings& d = net.displaySettings;
    ApplyPaper(printer, d.paperSize, d.orientation);
    const TPrintGeometry g = PrintGeometry(net, printer);
    if (!g.problem.empty()) {
        ShowWarning(g.problem);
        return false;
    }
    int32_t from = 1, to = g.Pages();
    if (!printer.PrintDialog(1, g.Pages(), from, to)) return false;
    return PrintPages(net, printer, from, to);
}

bool PrintPages(Tpertgra& net, IPrinter& printer, int32_t from, int32_t to)
{
    const TDisplaySettings& d = net.displaySettings;
    ApplyPaper(printer, d.paperSize, d.orientation);
    TScreenStateKeeper keeper(net);
    LayoutNetwork(net, 1.0, 1.0);
    const TPrintGeometry g = PrintGeometry(net, printer);
    if (!g.problem.empty()) {
        ShowWarning(g.problem);
        return false;
    }
    const int32_t pages = g.Pages();
    from = std::clamp(from, 1, pages);
    to = std::clamp(to, from, pages);

    const TSheet sheet = PrinterSheet(g);
    LoadPalette(net, dkPrint);
    LayoutNetwork(net, sheet.xf, sheet.yf);
    auto fail = [&] {
        printer.Abort();
        ShowWarning("请检查安装打印机是否正确！");
        return false;
    };
    if (!printer.Begin("ArrowPlan")) return fail();
    if (pages == 1) {
        ICanvas* c = printer.Canvas();
        if (!c) return fail();
        DrawSheet(net, *c, sheet, 0, 0);
    } else {
        // One pass for the whole job; each sheet plays only what lies on it.
        ICanvas* first = printer.Canvas();
        if (!first) return fail();
        const TSheetDrawing drawing(net, *first, sheet, from, to);
        for (int32_t n = from; n <= to; ++n) {
            ICanvas* c = printer.Canvas();
            if (!c) return fail();
            drawing.Draw(*c, n);
            if (n < to && !printer.NewPage()) return fail();
        }
    }
    if (!printer.End()) return fail();
    return true;
}

TSheet PrinterSheet(const TPrintGeometry& g)
{
    TSheet s;
    s.xf = g.dx / kScreenPixelsPerInch;
    s.yf = g.dy / kScreenPixelsPerInch;
    s.kind = dkPrint;
    auto px = [](double mm, double dpi) { return mm / kMmPerInch * dpi; };
    s.width = g.pageWidth;
    s.height = g.pageHeight;
    s.left = px(g.marginsMm.left, g.dx);
    s.top = px(g.marginsMm.top, g.dy);
    s.right = px(g.marginsMm.right, g.dx);
    s.bottom = px(g.marginsMm.bottom, g.dy);
    s.areaWidth = px(g.areaWidthMm, g.dx);
    s.areaHeight = px(g.areaHeightMm, g.dy);
    s.across = std::max(1, g.across);
    s.down = std::max(1, g.down);
    return s;
}

TSheet PreviewSheet(const TPrintGeometry& g, double scale)
{
    TSheet s;
    s.scale = scale;
    s.kind = dkPreview;
    auto px = [&](double mm) { return mm / kMmPerInch * kScreenPixelsPerInch * scale; };
    s.width = g.pageWidth * kScreenPixelsPerInch / g.dx * scale;
    s.height = g.pageHeight * kScreenPixelsPerInch / g.dy * scale;
    s.left = px(g.marginsMm.left);
    s.top = px(g.marginsMm.top);
    s.right = px(g.marginsMm.right);
    s.bottom = px(g.marginsMm.bottom);
    s.areaWidth = px(g.areaWidthMm);
    s.areaHeight = px(g.areaHeightMm);
    s.across = std::max(1, g.across);
    s.down = std::max(1, g.down);
    return s;
}

namespace {

TCanvasMapping SheetMapping(const Tpertgra& net, const TSheet& sheet, int32_t col, int32_t row)
{
    const TDisplaySettings& d = net.displaySettings;
    return TCanvasMapping::FromExtents(100, 100, d.printRatioX * sheet.scale,
                                       d.printRatioY * sheet.scale, -col * sheet.areaWidth,
                                       -row * sheet.areaHeight);
}

// The clip of sheet (col, row) in device units: its printable area with no
// margin towards the first column and the first row; none on a single sheet.
bool SheetClip(const TSheet& sheet, int32_t col, int32_t row, TCanvasRect& clip)
{
    if (sheet.across * sheet.down <= 1) return false;
    clip = TCanvasRect{col == 0 ? 0 : int32_t(sheet.left), row == 0 ? 0 : int32_t(sheet.top),
                       int32_t(int32_t(sheet.width) - sheet.right),
                       int32_t(int32_t(sheet.height) - sheet.bottom)};
    return true;
}

// White sheet, clip and the mapping of the sheet's part of the drawing.
void BeginSheet(const Tpertgra& net, ICanvas& c, const TSheet& sheet, int32_t col, int32_t row)
{
    c.SetMapping(TCanvasMapping{});
    c.SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Solid});
    c.FillRect(TCanvasRect{0, 0, int32_t(sheet.width), int32_t(sheet.height)});
    TCanvasRect clip;
    if (SheetClip(sheet, col, row, clip)) c.SetClipRect(clip);
    c.SetMapping(SheetMapping(net, sheet, col, row));
}

// What sheet (col, row) shows of the drawing, logical units, rounded
// outwards: its clip within the sheet, mapped back.
TCanvasRect SheetArea(const Tpertgra& net, const TSheet& sheet, int32_t col, int32_t row)
{
    TCanvasRect d{0, 0, int32_t(sheet.width), int32_t(sheet.height)};
    TCanvasRect clip;
    if (SheetClip(sheet, col, row, clip)) {
        d.left = std::max(d.left, clip.left);
        d.top = std::max(d.top, clip.top);
        d.right = std::min(d.right, clip.right);
        d.bottom = std::min(d.bottom, clip.bottom);
    }
    const TCanvasMapping m = SheetMapping(net, sheet, col, row);
    if (!(m.scaleX > 0) || !(m.scaleY > 0) || d.IsEmpty()) return TCanvasRect{};
    auto lo = [](double v) { return int32_t(std::clamp(std::floor(v), -1e9, 1e9)); };
    auto hi = [](double v) { return int32_t(std::clamp(std::ceil(v), -1e9, 1e9)); };
    return TCanvasRect{lo((d.left - m.originX) / m.scaleX), lo((d.top - m.originY) / m.scaleY),
                       hi((d.right - m.originX) / m.scaleX), hi((d.bottom - m.originY) / m.scaleY)};
}

}

void DrawSheet(Tpertgra& net, ICanvas& c, const TSheet& sheet, int32_t col, int32_t row)
{
    TCanvasStateSaver keep(c);
    BeginSheet(net, c, sheet, col, row);
    TPertDrawMode mode(&c, sheet.kind, sheet.xf, sheet.yf);
    DrawNetwork(net, mode);
    c.ClearClip();
}

TSheetDrawing::TSheetDrawing(Tpertgra& net, ICanvas& metrics, const TSheet& sheet, int32_t from,
                             int32_t to)
    : net_(net), sheet_(sheet), from_(from)
{
    const int32_t across = std::max(1, sheet.across);
    const int32_t down = std::max(1, sheet.down);
    // The columns and rows of sheets as intervals of the drawing, both
    // ascending, so the sheets a primitive meets are found by search.
    const size_t cols = static_cast<size_t>(across), rows = static_cast<size_t>(down);
    std::vector<int32_t> colLeft(cols), colRight(cols), rowTop(rows), rowBottom(rows);
    for (int32_t c = 0; c < across; ++c) {
        const TCanvasRect a = SheetArea(net, sheet, c, 0);
        colLeft[size_t(c)] = a.left;
        colRight[size_t(c)] = a.right;
    }
    for (int32_t r = 0; r < down; ++r) {
        const TCanvasRect a = SheetArea(net, sheet, 0, r);
        rowTop[size_t(r)] = a.top;
        rowBottom[size_t(r)] = a.bottom;
    }
    {
        TCanvasStateSaver keep(metrics);
        metrics.SetMapping(SheetMapping(net, sheet, 0, 0));
        const TCanvasRect all{colLeft.front(), rowTop.front(), colRight.back(), rowBottom.back()};
        list_ = std::make_unique<TDisplayList>(metrics, all);
        TPertDrawMode mode(list_.get(), sheet.kind, sheet.xf, sheet.yf);
        DrawNetwork(net, mode);
    }
    const int32_t pages = across * down;
    from = std::clamp(from, 1, pages);
    to = std::clamp(to, from, pages);
    from_ = from;
    pages_.resize(size_t(to - from + 1));
    // The first interval whose far end passes `lo`, and the last whose near end is before `hi`.
    auto span = [](const std::vector<int32_t>& ends, const std::vector<int32_t>& starts,
                   int32_t lo, int32_t hi, int32_t& first, int32_t& last) {
        first = int32_t(std::upper_bound(ends.begin(), ends.end(), lo) - ends.begin());
        last = int32_t(std::lower_bound(starts.begin(), starts.end(), hi) - starts.begin()) - 1;
    };
    for (size_t i = 0; i < list_->Count(); ++i) {
        const TCanvasRect& b = list_->Bounds(i);
        int32_t c1, c2, r1, r2;
        span(colRight, colLeft, b.left, b.right, c1, c2);
        span(rowBottom, rowTop, b.top, b.bottom, r1, r2);
        r1 = std::max(r1, (from - 1) / across);
        r2 = std::min(r2, (to - 1) / across);
        for (int32_t r = r1; r <= r2; ++r)
            for (int32_t c = c1; c <= c2; ++c) {
                const int32_t n = r * across + c + 1;
                if (n >= from && n <= to) pages_[size_t(n - from)].push_back(uint32_t(i));
            }
    }
}

TSheetDrawing::~TSheetDrawing() = default;

void TSheetDrawing::Draw(ICanvas& c, int32_t page) const
{
    const int32_t across = std::max(1, sheet_.across);
    const size_t k = size_t(page - from_);
    if (page < from_ || k >= pages_.size()) return;
    TCanvasStateSaver keep(c);
    const int32_t col = (page - 1) % across, row = (page - 1) / across;
    BeginSheet(net_, c, sheet_, col, row);
    const TCanvasRect area = SheetArea(net_, sheet_, col, row);
    list_->Play(c, pages_[k], &area);
    c.ClearClip();
}

size_t TSheetDrawing::PrimitivesOf(int32_t page) const
{
    const size_t k = size_t(page - from_);
    return page < from_ || k >= pages_.size() ? 0 : pages_[k].size();
}

size_t TSheetDrawing::Primitives() const
{
    return list_->Count();
}

bool EnlargePrint(Tpertgra& net)
{
    TDisplaySettings& d = net.displaySettings;
    if (d.printRatioX > INT32_MAX - 2 || d.printRatioY > INT32_MAX - 2) return false;
    d.printRatioX += 2;
    d.printRatioY += 2;
    net.modified = true;
    return true;
}

bool ShrinkPrint(Tpertgra& net)
{
    TDisplaySettings& d = net.displaySettings;
    if (d.printRatioX <= 2 || d.printRatioY <= 2) return false;
    d.printRatioX -= 2;
    d.printRatioY -= 2;
    net.modified = true;
    return true;
}

const char* const kPrintUsage =
    "       arrowplan-cli print FILE.prt OUT.pdf [--paper A4|A3|Letter|...]"
    " [--portrait|--landscape] [--ratio X[,Y]] [--view network|gantt|resource|logic]\n";

namespace {

bool ParseRatio(const std::string& text, int32_t& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && value >= 1 &&
           value <= 10000;
}

// The stored code of a paper name ("A4", "letter", ...); 0 when unknown.
int32_t PaperCodeOfName(const std::string& name)
{
    auto lower = [](std::string s) {
        for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (int i = 0; i < Tpertsetdata::kPaperCount; ++i)
        if (lower(Tpertsetdata::kPaperNames[i]) == lower(name)) return i + 1;
    return 0;
}

}

int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TPdfPrinterMaker& pdfPrinter)
{
    auto usage = [&] {
        err << "usage:" << (kPrintUsage + 6);
        return 2;
    };
    std::vector<std::string> files;
    int32_t paper = 0, orientation = -1, ratioX = 0, ratioY = 0;
    std::string view;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--portrait" || a == "--landscape") {
            orientation = a == "--portrait" ? 0 : 1;
        } else if (a == "--paper" || a == "--ratio" || a == "--view") {
            if (i + 1 >= args.size()) return usage();
            const std::string& v = args[++i];
            if (a == "--paper") {
                paper = PaperCodeOfName(v);
                if (paper == 0) {
                    err << "arrowplan-cli: unknown paper \"" << v << "\"\n";
                    return 2;
                }
            } else if (a == "--ratio") {
                const size_t comma = v.find(',');
                const bool ok = comma == std::string::npos
                                    ? ParseRatio(v, ratioX) && ParseRatio(v, ratioY)
                                    : ParseRatio(v.substr(0, comma), ratioX) &&
                                          ParseRatio(v.substr(comma + 1), ratioY);
                if (!ok) {
                    err << "arrowplan-cli: --ratio takes percentages from 1 to 10000, X or X,Y\n";
                    return 2;
                }
            } else {
                if (v != "network" && v != "gantt" && v != "resource" && v != "logic") {
                    err << "arrowplan-cli: --view takes network, gantt, resource or logic\n";
                    return 2;
                }
                view = v;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return usage();
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return usage();
    if (!pdfPrinter) {
        err << "arrowplan-cli: this build cannot print (built without the Qt library)\n";
        return 1;
    }
    Tpertgra net;
    TProjectFormat f;
    if (LoadProject(net, files[0], &f) != 1) {
        err << files[0] << ": " << f.problem << "\n";
        return 1;
    }
    if (!view.empty()) {
        net.networkView = view != "gantt";
        net.resourceOnlyView = view == "resource";
        if (view == "network") net.networkKind = 0;
        if (view == "logic") net.networkKind = 1;
    }
    TDisplaySettings& d = net.displaySettings;
    if (paper) d.paperSize = paper;
    if (orientation >= 0) d.orientation = orientation;
    if (ratioX) {
        d.printRatioX = ratioX;
        d.printRatioY = ratioY;
    }
    net.Recalculate();
    std::unique_ptr<IPrinter> printer = pdfPrinter(files[1]);
    if (!printer) {
        err << files[1] << ": no PDF printer\n";
        return 1;
    }
    // Refusals and failures are reported through the message service.
    LayoutNetwork(net, 1.0, 1.0);
    ApplyPaper(*printer, d.paperSize, d.orientation);
    const TPrintGeometry g = PrintGeometry(net, *printer);
    if (!g.problem.empty()) {
        err << files[1] << ": " << g.problem << "\n";
        return 1;
    }
    if (!PrintPages(net, *printer, 1, g.Pages())) return 1;
    out << files[0] << " -> " << files[1] << " (" << g.Pages() << " pages, " << g.across
        << " across, " << g.down << " down)\n";
    return 0;
}
