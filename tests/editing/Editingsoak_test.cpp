// Long random sequences of the editing operations on generated plans: after
// every step the links and counts stay sound, the network has no loop, no
// work lies on a negative row, the schedule is consistent and recalculating
// what undo would bring back gives the same network. The sanitizers of the test build turn any use of
// a destroyed node or work into a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Applydrag.h"
#include "editing/Fenduan.h"
#include "editing/Groupedit.h"
#include "editing/Linkcut.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "editing/Replacework.h"
#include "editing/Rowmove.h"
#include "editing/Selectcmd.h"
#include "editing/Timedic.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"
#include "support/Scheduleinvariant.h"

namespace {

std::vector<Tedge*> Works(const Tpertgra& net)
{
    std::vector<Tedge*> all;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) all.push_back(w);
    return all;
}

TPosition2D On(const Tedge* w, double fraction)
{
    const TWorkGeometry g = TWorkGeometry::Of(*w);
    return {g.fromX + (g.toX - g.fromX) * fraction, double(g.lineY)};
}

TPosition2D At(const Tvertex* v)
{
    return {double(v->x), double(v->y)};
}

// What must hold after every editing step; empty when it does.
std::string Problems(Tpertgra& net)
{
    std::string out = LinkProblems(net);
    if (!net.Renumber()) out += "a loop; ";
    out += ScheduleProblems(net);
    for (const Tedge* w : Works(net))
        if (w->row < 0) out += "work " + w->data->name + " on a negative row; ";
    return out;
}

// Random steps drawn from the operations listed.
void Soak(const std::vector<int>& ops)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        TFakeMessages msgs;
        TPlanShape shape;
        shape.works = 40;
        shape.seed = seed;
        shape.milestoneShare = 0.05;
        auto net = GeneratePlan(shape);
        LayoutNetwork(*net);
        std::mt19937 rng(seed);
        std::mt19937 more(seed + 1000);
        auto pick = [&](size_t n) { return size_t(rng() % n); };
        for (int step = 0; step < 100 && net->WorkCount() > 2; ++step) {
            SCOPED_TRACE(step);
            const std::vector<Tedge*> works = Works(*net);
            Tedge* w = works[pick(works.size())];
            Tvertex* v = net->nodes[pick(net->nodes.size())].get();
            const int op = ops[pick(ops.size())];
            switch (op) {
            case 0: ApplyDrag(*net, nullptr, At(w->fromNode), At(v)); break;
            case 1: ApplyDrag(*net, w, On(w, 0.9), At(v)); break;
            case 2: ApplyDrag(*net, w, On(w, 0.1), At(v)); break;
            case 3: {
                const TPosition2D from = On(w, 0.5);
                const double dy = (double(pick(7)) - 3) * RowHeight(*net) * 0.8;
                ApplyDrag(*net, w, from, {from.x, from.y + dy});
                break;
            }
            case 4: {
                // a few selected works dragged to other rows together
                ClearSelection(*net);
                for (size_t k = 0; k < 3; ++k) InsertIntoSelection(*net, works[pick(works.size())]);
                std::sort(net->selection.begin(), net->selection.end());
                net->selection.erase(std::unique(net->selection.begin(), net->selection.end()),
                                     net->selection.end());
                OrderAsSelection(net->selection);
                const TPosition2D from = On(net->selection.front(), 0.5);
                ApplyDrag(*net, net->selection.front(), from, {from.x, from.y + 1.6 * RowHeight(*net)});
                break;
            }
            case 5: DeleteWork(*net, w); net->Recalculate(); break;
            case 6: {
                std::vector<Tedge*> some;
                for (Tedge* x : works)
                    if (pick(6) == 0) some.push_back(x);
                DeleteWorks(*net, some);
                net->Recalculate();
                break;
            }
            case 7:
                if (pick(2)) DeletePredecessorLinks(*net, w);
                else DeleteSuccessorLinks(*net, w);
                break;
            case 8: {
                Tedge* a = works[pick(works.size())];
                std::vector<Tedge*> copied{a};
                if (a->toNode->firstWork) copied.push_back(a->toNode->firstWork);
                auto clip = net->BuildFromWorks(copied);
                if (w != a && w != copied.back()) ReplaceWork(*net, w, *clip);
                break;
            }
            case 9: ExchangeWorks(*net, w, works[pick(works.size())]); break;
            case 10: {
                const double y = Y0(*net) + (double(pick(12)) - 1.5) * RowHeight(*net) * 0.7;
                if (pick(2)) InsertBlankRowAt(*net, y);
                else RemoveBlankRowAt(*net, y);
                break;
            }
            }
            // The segmentation and the float shift, drawn from their own
            // generator so the sequence of the operations above stays.
            const int extra = int(more() % 6);
            if (extra < 2 && net->WorkCount() > 0) {
                const std::vector<Tedge*> now = Works(*net);
                Tedge* x = now[more() % now.size()];
                if (extra == 0) {
                    const float d = x->data->duration;
                    const float f = float(1 + more() % 4);
                    if (x->nextSegment) {
                        const float total = d + x->nextSegment->data->duration;
                        EditSegments(*net, x, TSegmentEdit(more() % 3), f, total - f);
                    } else if (d > f) {
                        SplitWork(*net, x, f, d - f);
                    }
                } else {
                    TTimedic shift(net.get(), x);
                    shift.ScrollTo(int32_t(more() % uint32_t(shift.scrollMax + 1)));
                    if (more() % 2) shift.Restore();
                }
                net->Recalculate();
            }
            LayoutNetwork(*net);
            ASSERT_EQ(Problems(*net), "") << "after operation " << op << "/" << extra;
            // What undo and redo bring back is recalculated and laid out
            // again: it must come out as it was shown.
            auto again = net->Clone();
            again->Recalculate();
            LayoutNetwork(*again);
            ASSERT_TRUE(again->IsSameAs(*net)) << "after operation " << op << "/" << extra;
        }
        for (const std::string& t : msgs.Texts()) EXPECT_NE(t, "网络图不能有回路") << t;
    }
}

TEST(EditingSoak, RandomEditsKeepTheNetworkSound)
{
    Soak({0, 1, 2, 3, 4, 5, 6, 7, 8});
}

// Blank rows and exchanges among row drags and deletions.
TEST(EditingSoak, RowsAndExchangesKeepTheNetworkSound)
{
    Soak({3, 5, 9, 10});
}

}  // namespace
