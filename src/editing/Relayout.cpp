#include "editing/Relayout.h"

#include "drawing/Layoutpass.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"

void LayoutNetwork(Tpertgra& net, double xf, double yf)
{
    net.ComputeAndPull();
    LayoutPulledNetwork(net, xf, yf);
}

void LayoutPulledNetwork(Tpertgra& net, double xf, double yf)
{
    // A lone milestone that went may have held the plan's first day or its
    // end: the rest is recalculated, as after any other deletion, so that
    // what is shown is what the next recalculation gives.
    const bool deleted = DeleteLoneMilestones(net) == 1;
    net.TidyNetwork();
    if (deleted) {
        net.Recalculate();
        net.ComputeAndPull();
    }
    LayoutTidiedNetwork(net, xf, yf);
}
