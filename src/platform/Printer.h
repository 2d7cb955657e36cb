#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"

// The printer the print commands draw on. The desktop binds the Qt printer
// (installed queues and a PDF file); tests bind a fake that records pages.
class IPrinter {
public:
    virtual ~IPrinter() = default;

    // Names of the printers that can be chosen; empty when there are none.
    virtual std::vector<std::string> Printers() const = 0;
    // Dots per inch across and down of the selected printer; false when it
    // cannot be asked.
    virtual bool Resolution(int32_t& dx, int32_t& dy) const = 0;
    // The whole sheet in printer pixels, for the paper and orientation set.
    virtual TCanvasSize PagePixels() const = 0;
    // Stored paper code (9 A4, 8 A3, 1 Letter, ...) and orientation (0
    // portrait, 1 landscape).
    virtual void SetPaper(int32_t paperCode, int32_t orientation) = 0;
    virtual int32_t PaperCode() const = 0;
    virtual int32_t Orientation() const = 0;

    // The platform's printer setup dialog; true when it was confirmed.
    virtual bool SetupDialog() = 0;
    // The platform's print dialog over pages minPage ... maxPage; on
    // confirmation the chosen range is in from ... to.
    virtual bool PrintDialog(int32_t minPage, int32_t maxPage, int32_t& from, int32_t& to) = 0;

    // A print job: Begin, then the canvas of the first page, NewPage before
    // each further page, End. Each returns false when the printer failed.
    virtual bool Begin(const std::string& title) = 0;
    virtual ICanvas* Canvas() = 0;
    virtual bool NewPage() = 0;
    virtual bool End() = 0;
    // Gives up a job after a failure.
    virtual void Abort() = 0;
};
