#pragma once
#include <cstdint>
#include <functional>

#include "editing/Selectcmd.h"

class Tpertgra;

// The replace tool: the select tool's gestures; a double click on a work
// replaces it by the copied works after a question (PasteOverWork).
class TimportCmd : public TSelectCmd {
public:
    // The copy buffer, asked at the double click; set by whoever makes the
    // command (the main window holds the buffer). Unset or null: nothing.
    std::function<const Tpertgra*()> clipSource;

    int32_t Kind() const override { return ckImport; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};
