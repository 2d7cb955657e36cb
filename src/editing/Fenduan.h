#pragma once
#include <cstdint>

class Tpertgra;
class Tedge;

// Splits the work into two consecutive segments of f and g days: the work
// keeps the first f days, a new unnamed segment of g days follows it on its
// row, and the node between them becomes a joint. A work that already has a
// following segment, an auxiliary work (its span is not its own) and parts
// that are not both above zero are refused: nothing changes and the result
// is 0. 1 when split.
int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g);
