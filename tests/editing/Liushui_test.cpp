#include "editing/Liushui.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "editing/Commanddoc.h"
#include "editing/Liushuicmd.h"
#include "editing/Relayout.h"
#include "editing/Rowmove.h"
#include "editing/Rowops.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"
#include "support/Scheduleinvariant.h"

namespace {

Tedge* Named(const Tpertgra& net, const std::string& name)
{
    for (Tedge* w : net.AllWorks())
        if (w->data->name == name) return w;
    return nullptr;
}

std::vector<std::string> RealNames(const Tpertgra& net)
{
    std::vector<std::string> names;
    for (const Tedge* w : net.AllWorks())
        if (!w->data->IsDummy()) names.push_back(w->data->name);
    std::sort(names.begin(), names.end());
    return names;
}

int32_t Dummies(const Tpertgra& net)
{
    int32_t n = 0;
    for (const Tedge* w : net.AllWorks()) n += w->data->IsDummy();
    return n;
}

TEST(FlowLineChain, OnlyASimplePathOfRealWorks)
{
    struct Case {
        const char* what;
        std::function<void(TNetBuilder&)> build;
        bool chain;
    };
    const Case cases[] = {
        {"path", [](TNetBuilder& b) { b.Work('A', 'B', 2); b.Work('B', 'C', 3); }, true},
        {"one work", [](TNetBuilder& b) { b.Work('A', 'B', 2); }, true},
        {"two branches",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 2);
             b.Work('A', 'C', 3);
         },
         false},
        {"two starts",
         [](TNetBuilder& b) {
             b.Work('A', 'C', 2);
             b.Work('B', 'C', 3);
         },
         false},
        {"a dummy",
         [](TNetBuilder& b) {
             b.Work('A', 'B', 2);
             b.Work('B', 'C', 0, WorkKind::Dummy);
         },
         false},
        {"a milestone", [](TNetBuilder& b) { b.Work('A', 'B', 0, WorkKind::Milestone); }, false},
        {"a segment",
         [](TNetBuilder& b) {
             Tedge* a = b.Work('A', 'B', 2);
             Tedge* c = b.Work('B', 'C', 3);
             a->nextSegment = c;
             c->isContinuation = true;
             b.N('B')->joint = true;
         },
         false},
        {"empty", [](TNetBuilder&) {}, false},
    };
    for (const Case& c : cases) {
        TNetBuilder b;
        c.build(b);
        b.Place();
        EXPECT_EQ(IsFlowLineChain(*b.net), c.chain) << c.what;
    }
}

TEST(FlowLineChain, OrderByStartKeepsEqualStarts)
{
    TNetBuilder b;
    Tedge* x = b.Work('A', 'B', 1);
    Tedge* y = b.Work('C', 'D', 1);
    Tedge* z = b.Work('E', 'F', 1);
    x->data->start = 3;
    y->data->start = float(3 - 1e-9);   // within the tolerance: no swap
    z->data->start = 1;
    EXPECT_EQ(OrderByStart({x, y, z}), (std::vector<Tedge*>{z, x, y}));
}

// A chain of the named works with the durations, selected.
struct Chain {
    TNetBuilder b;
    std::vector<Tedge*> works;
    Chain(std::vector<float> durations, bool withOther = false)
    {
        char from = 'A';
        for (size_t i = 0; i < durations.size(); ++i) {
            Tedge* w = b.Work(from, char(from + 1), durations[i]);
            w->data->name = std::string(1, char('P' + i));
            works.push_back(w);
            ++from;
        }
        if (withOther) {
            // X beside the whole chain, Y after it.
            Tedge* x = b.Work('A', from, 40);
            x->data->name = "X";
            x->row = 1;
            b.Work(from, 'Z', 2)->data->name = "Y";
        }
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
        b.net->selection = works;
    }
    bool Generate(const char* layers, const char* sections, bool names = true, int32_t direction = 1)
    {
        TLiushuiset s(b.net.get());
        s.liushuicengnumedit = layers;
        s.liushuiduannumedit = sections;
        s.chkcengduanname = names;
        s.liushuifxrgp = direction;
        return s.Confirm();
    }
};

TEST(FlowLine, NamesCarryTheLayerAndSection)
{
    struct Case {
        const char* layers;
        const char* sections;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"3", "2",
         {"P1-1", "P1-2", "P1-3", "P2-1", "P2-2", "P2-3", "Q1-1", "Q1-2", "Q1-3", "Q2-1", "Q2-2",
          "Q2-3"}},
        {"3", "1", {"P1", "P2", "P3", "Q1", "Q2", "Q3"}},
        {"1", "3", {"P1", "P2", "P3", "Q1", "Q2", "Q3"}},
        {"1", "1", {"P", "Q"}},
        {"0", "0", {"P", "Q"}},
    };
    for (const Case& c : cases) {
        Chain ch({2, 3});
        ASSERT_TRUE(ch.Generate(c.layers, c.sections)) << c.layers << "/" << c.sections;
        EXPECT_EQ(RealNames(*ch.b.net), c.names) << c.layers << "/" << c.sections;
        EXPECT_TRUE(ch.b.net->selection.empty());
        EXPECT_EQ(ScheduleProblems(*ch.b.net), "") << c.layers << "/" << c.sections;
    }
    Chain plain({2, 3});
    ASSERT_TRUE(plain.Generate("2", "2", false));
    EXPECT_EQ(RealNames(*plain.b.net), (std::vector<std::string>{"P", "P", "P", "P", "Q", "Q", "Q", "Q"}));
}

TEST(FlowLine, EachWorkOfALayerWaitsForTheSameWorkOfTheLayerBefore)
{
    for (int32_t direction : {0, 1}) {
        Chain ch({2, 5, 1, 3});
        ASSERT_TRUE(ch.Generate("3", "1", true, direction));
        Tpertgra& net = *ch.b.net;
        for (int layer = 2; layer <= 3; ++layer)
            for (char n : {'P', 'Q', 'R', 'S'}) {
                const Tedge* before = Named(net, std::string(1, n) + std::to_string(layer - 1));
                const Tedge* w = Named(net, std::string(1, n) + std::to_string(layer));
                ASSERT_TRUE(before && w) << n << layer;
                EXPECT_GE(w->data->start + 1e-6, before->PlannedFinish()) << n << layer << " dir " << direction;
                EXPECT_GE(w->data->start + 1e-6, Named(net, std::string(1, n) + "1")->data->start) << n;
            }
        EXPECT_EQ(ScheduleProblems(net), "");
        EXPECT_EQ(net.WorkCount(), 4 * 3 + 3 /* dummies after layer 2 */ + 2 * 2 /* inner links */);
    }
}

TEST(FlowLine, UpPutsTheLayerOnRowZeroAndDownBelowTheFirst)
{
    struct Case {
        int32_t direction;
        int32_t newRow, firstRow;
    };
    for (const Case c : {Case{0, 0, 1}, Case{1, 1, 0}}) {
        Chain ch({2, 3, 4});
        ASSERT_TRUE(ch.Generate("2", "1", true, c.direction));
        EXPECT_EQ(Named(*ch.b.net, "P2")->row, c.newRow) << c.direction;
        EXPECT_EQ(Named(*ch.b.net, "R2")->row, c.newRow) << c.direction;
        EXPECT_EQ(Named(*ch.b.net, "P1")->row, c.firstRow) << c.direction;
    }
}

TEST(FlowLine, ATwoWorkChainIsJoinedByTheMergeAlone)
{
    Chain ch({2, 3});
    ASSERT_TRUE(ch.Generate("2", "1"));
    Tpertgra& net = *ch.b.net;
    EXPECT_EQ(Dummies(net), 0);
    EXPECT_EQ(net.WorkCount(), 4);
    const Tedge* q1 = Named(net, "Q1");
    const Tedge* p2 = Named(net, "P2");
    const Tedge* q2 = Named(net, "Q2");
    EXPECT_EQ(p2->fromNode, Named(net, "P1")->toNode);   // starts where P1 ends
    EXPECT_EQ(q2->fromNode, q1->toNode);                  // the last works chained directly
    EXPECT_EQ(q2->fromNode, p2->toNode);
    EXPECT_FLOAT_EQ(q2->data->start, 5);
}

TEST(FlowLine, OtherWorksOfThePlanAreNeitherCopiedNorRenamed)
{
    Chain ch({2, 3}, true);
    ASSERT_TRUE(ch.Generate("2", "2"));
    const std::vector<std::string> names = RealNames(*ch.b.net);
    EXPECT_EQ(std::count(names.begin(), names.end(), "X"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Y"), 1);
    // The chain twice per layer, two layers, and the two inner links.
    EXPECT_EQ(ch.b.net->WorkCount(), 2 + 2 * 2 * 2 + 2);
    EXPECT_EQ(ScheduleProblems(*ch.b.net), "");
}

TEST(FlowLine, RefusalsChangeNothing)
{
    TFakeMessages msgs;
    struct Case {
        const char* what;
        const char* layers;
        const char* sections;
        bool branch;
        int32_t selected;
        const char* message;
    };
    const Case cases[] = {{"one work", "2", "2", false, 1, nullptr},
                          {"a branch", "2", "2", true, 3, "不能生成流水！"},
                          {"empty layers", "", "2", false, 3, "请输入正整数！"},
                          {"letters", "2", "a", false, 3, "请输入正整数！"},
                          {"a sign", "-2", "2", false, 3, "请输入正整数！"}};
    for (const Case& c : cases) {
        msgs.shown.clear();
        Chain ch({2, 3, 4});
        if (c.branch) {
            ch.works.back() = ch.b.Work('B', 'Q', 1);
            ch.b.Place();
            ch.b.net->Recalculate();
        }
        ch.b.net->selection.assign(ch.works.begin(), ch.works.begin() + c.selected);
        const auto before = ch.b.net->Clone();
        EXPECT_FALSE(ch.Generate(c.layers, c.sections)) << c.what;
        EXPECT_TRUE(ch.b.net->IsSameAs(*before)) << c.what;
        EXPECT_EQ(msgs.Texts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.what;
    }
}

// PushRowDown as the plain rule states it: each work of row r that would
// lie over row r + 1 first pushes that row, recursively; then row r moves.
void LiteralPushRowDown(Tpertgra& net, int32_t r, const Tedge* excepted)
{
    std::vector<Tedge*> onRow;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->row == r) onRow.push_back(w);
    for (Tedge* w : onRow) {
        if (w == excepted) continue;
        TRowOccupancy occ(net);
        if (occ.Occupied(r + 1, w->fromNode->time, w->toNode->time, w)) LiteralPushRowDown(net, r + 1, excepted);
    }
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->row == r) {
                ++w->row;
                RealignNodeRows(net, w);
            }
}

std::vector<int32_t> Rows(const Tpertgra& net)
{
    std::vector<int32_t> rows;
    for (const auto& v : net.nodes) {
        rows.push_back(v->row);
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) rows.push_back(w->row);
    }
    return rows;
}

TEST(FlowLine, PushRowDownMovesWhatTheLiteralRuleMoves)
{
    int32_t pushedDeep = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        TPlanShape shape;
        shape.works = 60;
        shape.seed = seed;
        auto a = GeneratePlan(shape);
        auto b = GeneratePlan(shape);
        LayoutNetwork(*a);
        LayoutNetwork(*b);
        const int32_t r = int32_t(seed % 4);
        const Tedge* exceptA = seed % 3 == 0 ? a->AllWorks()[seed % 7] : nullptr;
        const Tedge* exceptB = seed % 3 == 0 ? b->AllWorks()[seed % 7] : nullptr;
        const std::vector<int32_t> before = Rows(*a);
        TFlowLine(*a).PushRowDown(r, exceptA);
        LiteralPushRowDown(*b, r, exceptB);
        ASSERT_EQ(Rows(*a), Rows(*b)) << "seed " << seed;
        int32_t moved = 0;
        for (size_t i = 0; i < before.size(); ++i) moved += before[i] != Rows(*a)[i];
        pushedDeep += moved > 3;
    }
    EXPECT_GT(pushedDeep, 5);   // the cases reach below one row
}

struct TFakeLiushuiDialog : ILiushuiDialog {
    TFakeLiushuiDialog() { SetLiushuiDialog(this); }
    ~TFakeLiushuiDialog() override { SetLiushuiDialog(nullptr); }
    bool Show(TLiushuiset& s) override
    {
        ++opened;
        s.liushuicengnumedit = "2";
        s.liushuiduannumedit = "2";
        return ok && s.Confirm();
    }
    bool ok = true;
    int opened = 0;
};

TEST(FlowLineTool, ABandOverAChainGeneratesAsOneUndoStep)
{
    using namespace commanddoc;
    TFakeMessages msgs;
    TFakeLiushuiDialog dialog;
    Chain ch({2, 3, 4});
    Doc d(std::move(ch.b.net));
    d.Net().selection.clear();
    Cliushui tool;
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    const int32_t steps = d.doc.history.Count();
    const TPosition2D p = OnLine(d.WorkNamed("P"), 0.5), r = OnLine(d.WorkNamed("R"), 0.5);
    const TPosition2D from{p.x - 5, p.y - 20}, to{r.x + 5, r.y + 20};
    // A click on one work: selected, no dialog.
    EXPECT_EQ(d.Drag(tool, p, p), deRepaint);
    EXPECT_EQ(dialog.opened, 0);
    // 取消: nothing recorded.
    dialog.ok = false;
    EXPECT_EQ(d.Drag(tool, from, to), deRepaint);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(d.doc.history.Count(), steps);
    EXPECT_EQ(d.Net().WorkCount(), works);
    const auto before = d.Net().Clone();
    dialog.ok = true;
    EXPECT_EQ(d.Drag(tool, from, to), deRebuild | deRepaint);
    EXPECT_EQ(dialog.opened, 2);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    EXPECT_NE(Named(d.Net(), "P2-2"), nullptr);
    EXPECT_TRUE(d.Net().selection.empty());
    d.ExpectUndoTo(works, nodes);
    EXPECT_TRUE(d.doc.network->IsSameAs(*before));
}

TEST(FlowLineTool, ABandOverABranchIsRefused)
{
    using namespace commanddoc;
    TFakeMessages msgs;
    TFakeLiushuiDialog dialog;
    Chain ch({2, 3});
    ch.b.Work('A', 'X', 1)->row = 1;
    ch.b.Place();
    ch.b.net->Recalculate();
    Doc d(std::move(ch.b.net));
    Cliushui tool;
    const int32_t steps = d.doc.history.Count();
    EXPECT_EQ(d.Drag(tool, {0, 0}, {3000, 2000}), deRepaint);
    EXPECT_EQ(dialog.opened, 0);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"不能生成流水！"});
    EXPECT_EQ(d.doc.history.Count(), steps);
}

}  // namespace
