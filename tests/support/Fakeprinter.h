#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/Printer.h"
#include "platform/Recordingcanvas.h"

// A printer that records every page on a recording canvas of the sheet's
// size. The dialogs answer as told; Begin can be made to fail.
class TFakePrinter : public IPrinter {
public:
    std::vector<std::string> names{"测试打印机"};
    bool resolutionKnown = true;
    int32_t dx = 96;
    int32_t dy = 96;
    TCanvasSize page{1000, 800};
    int32_t paper = 9;
    int32_t orientation = 1;
    bool setupConfirms = true;
    int32_t setupPaper = 8;         // what the setup dialog chooses
    int32_t setupOrientation = 0;
    bool printConfirms = true;
    int32_t chooseFrom = 0;          // 0: the whole range
    int32_t chooseTo = 0;
    bool failBegin = false;

    std::deque<TRecordingCanvas> pages;
    bool begun = false;
    bool ended = false;
    bool aborted = false;
    int32_t dialogMin = 0, dialogMax = 0;

    std::vector<std::string> Printers() const override { return names; }
    bool Resolution(int32_t& x, int32_t& y) const override
    {
        if (!resolutionKnown) return false;
        x = dx;
        y = dy;
        return true;
    }
    TCanvasSize PagePixels() const override { return page; }
    void SetPaper(int32_t code, int32_t o) override
    {
        paper = code;
        orientation = o;
    }
    int32_t PaperCode() const override { return paper; }
    int32_t Orientation() const override { return orientation; }
    bool SetupDialog() override
    {
        if (!setupConfirms) return false;
        paper = setupPaper;
        orientation = setupOrientation;
        return true;
    }
    bool PrintDialog(int32_t minPage, int32_t maxPage, int32_t& from, int32_t& to) override
    {
        dialogMin = minPage;
        dialogMax = maxPage;
        from = chooseFrom ? chooseFrom : minPage;
        to = chooseTo ? chooseTo : maxPage;
        return printConfirms;
    }
    bool Begin(const std::string&) override
    {
        if (failBegin) return false;
        begun = true;
        pages.emplace_back(page.cx, page.cy, double(dx));
        return true;
    }
    ICanvas* Canvas() override { return pages.empty() ? nullptr : &pages.back(); }
    bool NewPage() override
    {
        pages.emplace_back(page.cx, page.cy, double(dx));
        return true;
    }
    bool End() override
    {
        ended = true;
        return true;
    }
    void Abort() override { aborted = true; }
};
