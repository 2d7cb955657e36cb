#pragma once
#include <cstdint>

#include "editing/Pertcommand.h"
#include "editing/Selectcmd.h"

class Tedge;

// The hover command of the group column: a drag of a cell's lower edge
// resizes the cell to a row boundary (MoveGroupEdge).
class CMovefenzu : public CPertCommand {
public:
    TPosition2D pressPoint;
    TPosition2D releasePoint;
    TPosition2D currentPoint;
    TPosition2D previousPoint;
    bool lineShown = false;   // the rubber line follows the pointer

    int32_t Kind() const override { return ckMovefenzu; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra&, TPertDrawMode&) override { return 0; }
    // The horizontal line across the drawing at the pointer while an edge is dragged.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;
};

// The blank-row tool: a double click opens a blank row at the pointer, or
// closes one when Shift was held at the double click's press.
class Ckonghang : public TSelectCmd {
public:
    // Shift at the last left press; the select tool's release resets its
    // own press flags before every double click, so it is kept here.
    bool shiftAtPress = false;

    int32_t Kind() const override { return ckKonghang; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// The exchange tool: a double click on a work picks it, a double click on
// a second one asks and trades their data (ExchangeWorks).
class TJiaohuanCmd : public TSelectCmd {
public:
    int32_t stage = 0;                 // 0 nothing picked, 1 the first work picked
    Tedge* firstPick = nullptr;        // not owned; only compared until found in the network
    Tedge* secondPick = nullptr;
    const Tpertgra* firstNet = nullptr;
    const Tpertgra* secondNet = nullptr;

    int32_t Kind() const override { return ckJiaohuan; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// The question before an exchange; the carriage return breaks the line.
std::string ExchangeQuestion(const Tedge& first, const Tedge& second);
