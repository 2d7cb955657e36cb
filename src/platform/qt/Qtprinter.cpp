#include "platform/qt/Qtprinter.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/qt/Qtcanvas.h"

namespace {

// The paper codes of the stored print settings that Qt knows.
constexpr std::pair<int32_t, QPageSize::PageSizeId> kPapers[] = {
    {1, QPageSize::Letter},   {2, QPageSize::Letter},     {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},   {5, QPageSize::Legal},      {6, QPageSize::Statement},
    {7, QPageSize::Executive}, {8, QPageSize::A3},        {9, QPageSize::A4},
    {10, QPageSize::A4},      {11, QPageSize::A5},        {12, QPageSize::B4},
    {13, QPageSize::B5},      {14, QPageSize::Folio},     {15, QPageSize::Quarto},
    {16, QPageSize::Imperial10x14}, {17, QPageSize::Tabloid}, {18, QPageSize::Note},
    {19, QPageSize::Envelope9}, {20, QPageSize::Envelope10}, {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12}, {23, QPageSize::Envelope14}, {24, QPageSize::AnsiC},
    {25, QPageSize::AnsiD},   {26, QPageSize::AnsiE},
};

// Resolution of the PDF file printer: fine enough for thin lines, small
// enough for whole plans.
constexpr int kPdfResolution = 300;

}

const char* const TQtPrinter::kPdfPrinterName = "PDF 文件";

QPageSize PageSizeOfPaperCode(int32_t code)
{
    for (const auto& [c, id] : kPapers)
        if (c == code) return QPageSize(id);
    return QPageSize(QPageSize::A4);
}

int32_t PaperCodeOfPageSize(const QPageSize& size)
{
    for (const auto& [c, id] : kPapers)
        if (id == size.id()) return c;
    return 0;
}

TQtPrinter::TQtPrinter(QWidget* parent) : parent_(parent), printer_(QPrinter::HighResolution)
{
    printer_.setFullPage(true);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setResolution(kPdfResolution);
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        printer_.setOutputFileName(dir + QStringLiteral("/网络计划.pdf"));
    }
}

TQtPrinter::TQtPrinter(const std::string& pdfPath) : batch_(true), printer_(QPrinter::HighResolution)
{
    printer_.setFullPage(true);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setResolution(kPdfResolution);
    printer_.setOutputFileName(QString::fromStdString(pdfPath));
    printer_.setCreator(QStringLiteral("ArrowPlan"));
}

TQtPrinter::~TQtPrinter()
{
    Finish();
}

std::vector<std::string> TQtPrinter::Printers() const
{
    std::vector<std::string> names;
    if (!batch_)
        for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(n.toStdString());
    names.push_back(kPdfPrinterName);
    return names;
}

bool TQtPrinter::Resolution(int32_t& dx, int32_t& dy) const
{
    const int r = printer_.resolution();
    if (r <= 0) return false;
    dx = dy = r;
    return true;
}

TCanvasSize TQtPrinter::PagePixels() const
{
    const QRect r = printer_.pageLayout().fullRectPixels(printer_.resolution());
    return TCanvasSize{r.width(), r.height()};
}

void TQtPrinter::SetPaper(int32_t paperCode, int32_t orientation)
{
    paperCode_ = paperCode;
    printer_.setPageSize(PageSizeOfPaperCode(paperCode));
    printer_.setPageOrientation(orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
}

int32_t TQtPrinter::PaperCode() const
{
    const int32_t code = PaperCodeOfPageSize(printer_.pageLayout().pageSize());
    // A size Qt reports for an unknown stored code keeps that code.
    if (code == 0 || PaperCodeOfPageSize(PageSizeOfPaperCode(paperCode_)) == code) return paperCode_;
    return code;
}

int32_t TQtPrinter::Orientation() const
{
    return printer_.pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1;
}

bool TQtPrinter::SetupDialog()
{
    if (batch_) return true;
    QPageSetupDialog dialog(&printer_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool TQtPrinter::PrintDialog(int32_t minPage, int32_t maxPage, int32_t& from, int32_t& to)
{
    from = minPage;
    to = maxPage;
    if (batch_) return true;
    QPrintDialog dialog(&printer_, parent_);
    dialog.setMinMax(minPage, maxPage);
    dialog.setFromTo(minPage, maxPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printer_.printRange() == QPrinter::PageRange) {
        from = printer_.fromPage();
        to = printer_.toPage();
    }
    // The pages are chosen here; the printer must not filter them again.
    printer_.setPrintRange(QPrinter::AllPages);
    printer_.setFromTo(0, 0);
    printer_.setFullPage(true);
    return true;
}

namespace {

// Qt's PDF output reads every page through buffers of a few megabytes;
// with the C library's default these come from the system and go back on
// every page, and a plan of thousands of pages spends more time faulting
// them in than drawing. Kept in the heap, they are reused from page to page.
void KeepPageBuffersInTheHeap()
{
#ifdef __GLIBC__
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
        mallopt(M_TRIM_THRESHOLD, 128 << 20);
        return true;
    }();
    (void)once;
#endif
}

}

bool TQtPrinter::Begin(const std::string& title)
{
    KeepPageBuffersInTheHeap();
    Finish();
    printer_.setDocName(QString::fromStdString(title));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
        painter_.reset();
        return false;
    }
    const TCanvasSize page = PagePixels();
    canvas_ = std::make_unique<TQtCanvas>(*painter_, QSize(page.cx, page.cy),
                                          double(printer_.resolution()));
    return true;
}

ICanvas* TQtPrinter::Canvas()
{
    return canvas_.get();
}

bool TQtPrinter::NewPage()
{
    return painter_ && printer_.newPage();
}

bool TQtPrinter::End()
{
    if (!painter_) return false;
    canvas_.reset();
    const bool ok = painter_->end();
    painter_.reset();
    return ok;
}

void TQtPrinter::Abort()
{
    if (painter_) printer_.abort();
    Finish();
}

void TQtPrinter::Finish()
{
    canvas_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
}
