#pragma once
#include <cstdint>

class Tedge;

// The layout values of one work in device units of the layout's factors,
// as the layout pass leaves them in the work's cached geometry:
//   line geometry  = fromX, fromY, lineStartX, startJoinY, lineEndX, endJoinY, toX, toY
//   name geometry  = lineStartX, lineY, lineEndX, lineY
// (the name geometry is where the solid line begins and ends on the work's
// row; the free float runs from lineEndX to the end node).
struct TWorkGeometry {
    int32_t fromX = 0;        // start node
    int32_t fromY = 0;
    int32_t toX = 0;          // end node
    int32_t toY = 0;
    int32_t lineY = 0;        // y of the work's row
    int32_t startJoinY = 0;   // fromY when the start node lies on the work's row, else lineY
    int32_t endJoinY = 0;     // likewise for the end node
    int32_t lineStartX = 0;   // where the solid line begins (its start)
    int32_t lineEndX = 0;     // where it ends (its finish)

    static TWorkGeometry Of(const Tedge& work);
    void StoreInto(Tedge& work) const;
    bool operator==(const TWorkGeometry&) const = default;
};
