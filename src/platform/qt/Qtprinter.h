#pragma once
#include <QPrinter>
#include <memory>
#include <string>

#include "platform/Printer.h"

class QPainter;
class QWidget;
class TQtCanvas;

// The printer of the desktop and of the command line on Qt Print Support:
// the installed queues and, always, a PDF file. A printer made with a file
// path writes that PDF file and asks nothing (its print dialog takes every
// page), so it works without a display and without any queue.
class TQtPrinter : public IPrinter {
public:
    // The name of the PDF file printer in the printer list.
    static const char* const kPdfPrinterName;

    // The system's default queue, or the PDF file printer when there is none.
    explicit TQtPrinter(QWidget* parent = nullptr);
    // The PDF file printer writing `pdfPath`, without dialogs.
    explicit TQtPrinter(const std::string& pdfPath);
    ~TQtPrinter() override;

    std::vector<std::string> Printers() const override;
    bool Resolution(int32_t& dx, int32_t& dy) const override;
    TCanvasSize PagePixels() const override;
    void SetPaper(int32_t paperCode, int32_t orientation) override;
    int32_t PaperCode() const override;
    int32_t Orientation() const override;
    bool SetupDialog() override;
    bool PrintDialog(int32_t minPage, int32_t maxPage, int32_t& from, int32_t& to) override;
    bool Begin(const std::string& title) override;
    ICanvas* Canvas() override;
    bool NewPage() override;
    bool End() override;
    void Abort() override;

private:
    void Finish();

    QWidget* parent_ = nullptr;
    bool batch_ = false;
    QPrinter printer_;
    int32_t paperCode_ = 9;   // kept as stored when Qt has no size for it
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TQtCanvas> canvas_;
};

// Stored paper codes and Qt's page sizes, both ways; an unknown code gives
// A4 (and is kept in the file), an unknown size 0.
QPageSize PageSizeOfPaperCode(int32_t code);
int32_t PaperCodeOfPageSize(const QPageSize& size);
