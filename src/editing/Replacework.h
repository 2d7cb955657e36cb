#pragma once
#include <cstdint>

class Tpertgra;
class Tedge;

// Replaces a work by a copy of the copied works (the copy buffer): the
// copy's start nodes become the work's start node and its end nodes the
// work's end node, so that the work's predecessors precede the pasted
// works and the pasted works precede its successors. The work is deleted,
// the pasted works become the selection and move so that the first of
// them lies on the work's row, with blank rows inserted where they would
// lie over other works. The pasted works get new work numbers. The network
// is recalculated and laid out again. Returns 1 when replaced, 0 for a
// work not in the network or an empty copy buffer.
int32_t ReplaceWork(Tpertgra& net, Tedge* work, const Tpertgra& clip);

// The paste over a work of the replace tool and the popup menu: asks
// "真的要替换“<name>”吗?" and replaces on Yes. 0 without a work, without a
// copy buffer or with an empty one (nothing asked), and on No.
int32_t PasteOverWork(Tpertgra& net, Tedge* work, const Tpertgra* clip);
