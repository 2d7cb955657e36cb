#pragma once

class Tpertgra;

// The relayout of the time-scaled drawing after every change and before
// every pass in other factors: ComputeAndPull, the deletion of lone
// milestones, TidyNetwork, the displacement pass and the positions of nodes
// and works for the factors (xf for horizontal, yf for vertical values).
// Afterwards every node's x, y and every work's geometry (TWorkGeometry)
// hold device units of the factors, the displacement table and nodePairs
// are rebuilt and the legend's work-kind flags follow the network. In the
// logic view the positions come from the logic layout at factor 1, then
// scaled.
void LayoutNetwork(Tpertgra& net, double xf = 1.0, double yf = 1.0);

// LayoutNetwork after its first step, ComputeAndPull.
void LayoutPulledNetwork(Tpertgra& net, double xf = 1.0, double yf = 1.0);
