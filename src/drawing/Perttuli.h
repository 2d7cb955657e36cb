#pragma once
#include <cstdint>

class TPrtWriter;
class TPrtReader;
class TPertDrawMode;
class Tpertgra;
class Tpertexplain;

// The legend of the explanation block: its size and which optional work kinds it lists.
class TPertTuli {
public:
    int32_t x = 0;  // device units, set by each drawing
    int32_t y = 0;
    double width = 200;
    double height = 160;
    bool hasSuspended = false;  // kept up to date by the layout pass
    bool hasAuxiliary = false;
    bool hasDummy = false;

    // The legend with its corner at (x, y) in the block at the right
    // (`atRight`) or at the bottom, in the current palette of the network;
    // returns the width taken (0 when nothing is drawn). frameColor is the
    // colour of its lines.
    int32_t Draw(const Tpertexplain& block, bool atRight, const TPertDrawMode& mode,
                 const Tpertgra& net, int32_t frameColor);

    // Sizes and flags; the corner is only where the last drawing put it.
    bool operator==(const TPertTuli& o) const;

    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Without version.
    void ReadOld(TPrtReader& r, double version);
};
