// After an edit the schedule is consistent: works start at or after their
// start nodes and end at or before their end nodes, every planned start lies
// in its float and the project ends where its longest path ends. A node that
// an edit leaves later than the plan needs comes back to its latest time.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Applydrag.h"
#include "editing/Editcmd.h"
#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "editing/Workdelete.h"
#include "entry/Workdialog.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Scheduleinvariant.h"

namespace {

void Relayout(Tpertgra& net)
{
    net.Recalculate();
    LayoutNetwork(net);
}

TPosition2D At(const Tvertex* v)
{
    return {double(v->x), double(v->y)};
}

TPosition2D On(const Tedge* w, double fraction)
{
    const TWorkGeometry g = TWorkGeometry::Of(*w);
    return {g.fromX + (g.toX - g.fromX) * fraction, double(g.lineY)};
}

// S->T 5 ("long") and S->T 2 in parallel, then T->U 3: T at day 5, U at 8.
void Parallel(TNetBuilder& b)
{
    b.Work('S', 'T', 5)->data->name = "long";
    b.Work('S', 'T', 2);
    b.Work('T', 'U', 3);
}

Tedge* LongWork(TNetBuilder& b)
{
    for (Tedge* w = b.N('S')->firstWork; w; w = w->nextWork)
        if (w->data->name == "long") return w;
    return nullptr;
}

struct Case {
    const char* name;
    std::function<void(TNetBuilder&)> build;
    std::function<int32_t(TNetBuilder&)> edit;   // 1 when it changed the network
    std::vector<std::pair<char, float>> times;   // node times afterwards
    std::vector<std::pair<std::string, float>> starts;   // planned starts afterwards
};

const Case kCases[] = {
    {"deleting the longer of two parallel works pulls the nodes after it back", Parallel,
     [](TNetBuilder& b) {
         const int32_t r = DeleteWork(*b.net, LongWork(b));
         Relayout(*b.net);
         return r;
     },
     {{'S', 0}, {'T', 2}, {'U', 5}}, {{"ST", 0}, {"TU", 2}}},
    {"merging an end node into a later one keeps the longest path",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 5);
         b.Work('S', 'B', 2);
         b.Work('B', 'C', 3);
         b.Work('A', 'D', 3);
     },
     [](TNetBuilder& b) { return ApplyDrag(*b.net, nullptr, At(b.N('D')), At(b.N('C'))); },
     {{'S', 0}, {'A', 5}, {'B', 2}, {'C', 8}}, {{"BC", 2}, {"AD", 5}}},
    {"re-attaching a start to an earlier node brings the work and its end node along",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 5);
         b.Work('A', 'B', 3);
         b.Work('S', 'B', 2);
     },
     [](TNetBuilder& b) {
         EXPECT_EQ(b.net->FindNodeAt(int32_t(On(b.W("AB"), 0.3).x), int32_t(On(b.W("AB"), 0.3).y)), nullptr);
         return ApplyDrag(*b.net, b.W("AB"), On(b.W("AB"), 0.3), At(b.N('S')));
     },
     {{'S', 0}, {'A', 5}, {'B', 3}}, {{"AB", 0}, {"SB", 0}}},
    {"re-attaching an end to a node that lies earlier pushes that node",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 3);
         b.Work('A', 'B', 4);
         b.Work('S', 'C', 1);
         b.Work('C', 'D', 2);
     },
     [](TNetBuilder& b) {
         EXPECT_EQ(b.net->FindNodeAt(int32_t(On(b.W("AB"), 0.75).x), int32_t(On(b.W("AB"), 0.75).y)), nullptr);
         return ApplyDrag(*b.net, b.W("AB"), On(b.W("AB"), 0.75), At(b.N('C')));
     },
     {{'S', 0}, {'A', 3}, {'C', 7}, {'D', 9}}, {{"AB", 3}, {"CD", 7}}},
    {"moving a work to another row changes no time",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 3);
         b.Work('S', 'B', 1);
         b.Work('B', 'A', 1);
     },
     [](TNetBuilder& b) {
         const TPosition2D p = On(b.W("SB"), 0.5);
         return ApplyDrag(*b.net, b.W("SB"), p, {p.x, p.y + 2.2 * RowHeight(*b.net)});
     },
     {{'S', 0}, {'B', 1}, {'A', 3}}, {{"SB", 0}, {"BA", 1}}},
    {"shortening a critical work brings its end node and the end back",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 5);
         b.Work('A', 'B', 2);
         b.Work('S', 'B', 3);
     },
     [](TNetBuilder& b) {
         Tworkdata d = *b.W("SA")->data;
         d.duration = 2;
         b.net->ApplyWorkData(b.W("SA"), d);
         Relayout(*b.net);
         return 1;
     },
     {{'S', 0}, {'A', 2}, {'B', 4}}, {{"AB", 2}, {"SB", 0}}},
    {"lengthening a work beyond its float pushes its end node",
     [](TNetBuilder& b) {
         b.Work('S', 'A', 5);
         b.Work('A', 'B', 2);
         b.Work('S', 'B', 3);
     },
     [](TNetBuilder& b) {
         Tworkdata d = *b.W("SB")->data;
         d.duration = 9;
         b.net->ApplyWorkData(b.W("SB"), d);
         Relayout(*b.net);
         return 1;
     },
     {{'S', 0}, {'A', 5}, {'B', 9}}, {{"AB", 5}, {"SB", 0}}},
};

TEST(ConsistentSchedule, SmallEditsEndInAConsistentSchedule)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TFakeMessages msgs;
        TNetBuilder b;
        c.build(b);
        b.Place();
        Relayout(*b.net);
        ASSERT_EQ(ScheduleProblems(*b.net), "");
        ASSERT_EQ(c.edit(b), 1);
        EXPECT_EQ(ScheduleProblems(*b.net), "");
        for (const auto& [node, t] : c.times) EXPECT_FLOAT_EQ(b.N(node)->time, t) << node;
        for (const auto& [work, s] : c.starts) {
            const Tedge* w = nullptr;
            for (const auto& v : b.net->nodes)
                for (const Tedge* x = v->firstWork; x; x = x->nextWork)
                    if (x->data->name == work) w = x;
            ASSERT_NE(w, nullptr) << work;
            EXPECT_FLOAT_EQ(w->data->start, s) << work;
        }
    }
}

// The example in full: the work after T gets its time parameters at T's new time.
TEST(ConsistentSchedule, TheWorkAfterAPulledNodeStartsThere)
{
    TFakeMessages msgs;
    TNetBuilder b;
    Parallel(b);
    b.Place();
    Relayout(*b.net);
    ASSERT_EQ(DeleteWork(*b.net, LongWork(b)), 1);
    Relayout(*b.net);
    const Tworkdata& tu = *b.W("TU")->data;
    EXPECT_FLOAT_EQ(tu.es, 2);
    EXPECT_FLOAT_EQ(tu.ls, 2);
    EXPECT_TRUE(tu.critical);
    EXPECT_EQ(b.N('U')->number, 3);
}

// A work moved within its float so that its end node shares the last day
// with the project's end keeps where the planner put it, whichever of the
// two end nodes comes last in the time order.
TEST(ConsistentSchedule, AnEndNodeMovedToTheLastDayKeepsItsPlace)
{
    for (const bool shortFirst : {false, true}) {
        SCOPED_TRACE(shortFirst);
        TNetBuilder b;
        if (shortFirst) {
            b.Work('S', 'B', 2);
            b.Work('S', 'A', 5);
        } else {
            b.Work('S', 'A', 5);
            b.Work('S', 'B', 2);
        }
        b.Place();
        Relayout(*b.net);
        ASSERT_FLOAT_EQ(b.W("SB")->data->ls, 3);
        ASSERT_TRUE(b.net->MoveWorkStart(b.W("SB"), 3));
        b.net->Reschedule();
        LayoutNetwork(*b.net);
        EXPECT_EQ(ScheduleProblems(*b.net), "");
        EXPECT_FLOAT_EQ(b.N('B')->time, 5);
        EXPECT_FLOAT_EQ(b.W("SB")->data->start, 3);
        EXPECT_FLOAT_EQ(b.W("SB")->data->ls, 3);
        EXPECT_FLOAT_EQ(b.W("SA")->data->ls, 0);
        EXPECT_TRUE(b.W("SA")->data->critical);
    }
}

// Undo and redo through the document bring back exactly what was shown
// after each recorded change, and the recalculation the window runs after
// them changes nothing.
TEST(ConsistentSchedule, UndoAndRedoRestoreTheRecalculatedStates)
{
    TFakeMessages msgs;
    TNetBuilder b;
    Parallel(b);
    b.Place();
    TPertdoc doc(std::move(b.net), "网络图1", "");
    doc.Relayout();
    doc.RecordChange();
    auto before = doc.network->Clone();
    Tedge* longWork = nullptr;
    for (const auto& v : doc.network->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->data->name == "long") longWork = w;
    ASSERT_EQ(DeleteWork(*doc.network, longWork), 1);
    doc.Relayout();
    doc.RecordChange();
    auto after = doc.network->Clone();
    auto times = [&] {
        std::vector<float> t;
        for (const auto& v : doc.network->nodes) t.push_back(v->time);
        return t;
    };
    ASSERT_EQ(times(), (std::vector<float>{0, 2, 5}));

    ASSERT_TRUE(doc.Undo());
    doc.Relayout();
    EXPECT_EQ(ScheduleProblems(*doc.network), "");
    EXPECT_EQ(times(), (std::vector<float>{0, 5, 8}));
    EXPECT_TRUE(doc.network->IsSameAs(*before));

    ASSERT_TRUE(doc.Redo());
    doc.Relayout();
    EXPECT_EQ(ScheduleProblems(*doc.network), "");
    EXPECT_EQ(times(), (std::vector<float>{0, 2, 5}));
    EXPECT_TRUE(doc.network->IsSameAs(*after));
}

// The work dialog's logic behind the edit tool: the typed planned start is
// the dialog's start date, confirmed with 确定.
struct TStartDateDialogs : IWorkDialogs {
    TStartDateDialogs() { SetWorkDialogs(this); }
    ~TStartDateDialogs() override { SetWorkDialogs(nullptr); }
    TWorkDialogOutcome AddWork(Tpertgra&, const TAddAnchors&) override { return {}; }
    TWorkDialogOutcome EditWork(Tpertgra& net, Tedge* work) override
    {
        TWorkdialog d;
        d.OpenEdit(net, work);
        d.startDate = StartDateOfTime(net, typedStart);
        return {1, d.Confirm() == TWorkConfirm::Changed, work};
    }
    float typedStart = 0;
};

// What the dialog shows as the work's start when it is opened again.
float ShownStart(Tpertgra& net, Tedge* work)
{
    TWorkdialog d;
    d.OpenEdit(net, work);
    return float(DayOfDate(net, d.startDate));
}

TEST(ConsistentSchedule, ATypedPlannedStartEndsInTheRecalculatedPlan)
{
    struct Row {
        const char* what;
        std::string work;
        float typed;
        float start;      // the planned start that stands
        float nodeS;      // S afterwards
    };
    const Row rows[] = {
        {"a start beyond the float comes back to the latest start", "SB", 6, 4, 0},
        {"a start within the float stands", "SB", 3, 3, 0},
        // the first work moves its start node, and the recalculation puts
        // the plan's first node back at day 0
        {"a later start of the first critical work", "SA", 3, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TFakeMessages msgs;
        TStartDateDialogs dialogs;
        TNetBuilder b;
        b.Work('S', 'A', 5);
        b.Work('A', 'B', 2);
        b.Work('S', 'B', 3);
        b.Place();
        Relayout(*b.net);
        dialogs.typedStart = r.typed;
        ASSERT_EQ(OpenEditDialog(*b.net, b.W(r.work)), 1);
        EXPECT_EQ(ScheduleProblems(*b.net), "");
        EXPECT_FLOAT_EQ(b.W(r.work)->data->start, r.start);
        EXPECT_FLOAT_EQ(b.N('S')->time, r.nodeS);
        EXPECT_FLOAT_EQ(ShownStart(*b.net, b.W(r.work)), r.start);
        // what undo and redo give back after the window's recalculation
        auto again = b.net->Clone();
        Relayout(*again);
        EXPECT_TRUE(again->IsSameAs(*b.net));
    }
}

}  // namespace
