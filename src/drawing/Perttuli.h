#pragma once
#include <cstdint>

class TPrtWriter;
class TPrtReader;

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

    // Sizes and flags; the corner is only where the last drawing put it.
    bool operator==(const TPertTuli& o) const;

    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Without version.
    void ReadOld(TPrtReader& r, double version);
};
