#pragma once

class Tpertgra;

// The drawing steps of the relayout (editing/Relayout.h), once the model
// has been tidied: the displacement pass and the positions of nodes and
// works for the factors (xf for horizontal, yf for vertical values).
// Afterwards every node's x, y and every work's geometry (TWorkGeometry)
// hold device units of the factors, the displacement table and nodePairs
// are rebuilt, the legend's work-kind flags follow the network and the
// network view lays out its Gantt table. In the logic view the positions
// come from the logic layout at factor 1, then scaled.
void LayoutTidiedNetwork(Tpertgra& net, double xf = 1.0, double yf = 1.0);

// The displacement pass on the nodes' times taken directly as days (no rest
// periods): resets every node's displacement, rebuilds nodePairs and the
// displacement table so that every work that is neither a dummy nor a
// milestone is at least minWorkLength long and no node is drawn left of
// the node before it in time order. The logic-network layout runs it on
// levels held in the nodes' times.
void ComputeDisplacements(Tpertgra& net);

// Node x, y and work geometry from the times (through the calendar), the
// time scale and the displacement table, for the factors. Raises negative
// work rows to 0 and sets the legend's flags of dummy, auxiliary and
// suspended works.
void PlaceNodesAndWorks(Tpertgra& net, double xf, double yf);
