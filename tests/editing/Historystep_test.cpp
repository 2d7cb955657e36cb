// The compact history step against the whole-network copy it replaces: a
// restored step must be the network that Clone gave, so that undo and redo
// show exactly what they showed with copies.
#include "editing/Historystep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editing/Fenduan.h"
#include "editing/Relayout.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "model/Recsource.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"

namespace {

// Everything a copy carries: the equality, the file bytes, and what neither
// holds (node numbers and times, resource draw modes, the display range).
void ExpectSameState(Tpertgra& a, Tpertgra& b, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_TRUE(a.IsSameAs(b));
    EXPECT_TRUE(WriteProjectBytes(a) == WriteProjectBytes(b));
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (size_t i = 0; i < a.nodes.size(); ++i) {
        const Tvertex &x = *a.nodes[i], &y = *b.nodes[i];
        EXPECT_EQ(x.number, y.number);
        EXPECT_EQ(x.earliest, y.earliest);
        EXPECT_EQ(x.latest, y.latest);
        for (const Tedge *v = x.firstWork, *w = y.firstWork; v && w; v = v->nextWork, w = w->nextWork) {
            EXPECT_EQ(v->toNodeId, w->toNodeId);
            EXPECT_EQ(v->nextSegment == nullptr, w->nextSegment == nullptr);
            if (v->nextSegment && w->nextSegment) {
                EXPECT_EQ(a.IndexOfNode(v->nextSegment->fromNode), b.IndexOfNode(w->nextSegment->fromNode));
            }
            ASSERT_EQ(v->data->resources.size(), w->data->resources.size());
            for (size_t j = 0; j < v->data->resources.size(); ++j)
                EXPECT_EQ(v->data->resources[j].drawMode, w->data->resources[j].drawMode);
        }
    }
    EXPECT_EQ(a.showStart, b.showStart);
    EXPECT_EQ(a.showEnd, b.showEnd);
    EXPECT_EQ(a.printRightMargin, b.printRightMargin);
    ASSERT_EQ(a.customResourceDays.size(), b.customResourceDays.size());
    for (size_t i = 0; i < a.customResourceDays.size(); ++i)
        for (const Trecsource *x = a.customResourceDays[i].get(), *y = b.customResourceDays[i].get();
             x && y; x = x->next.get(), y = y->next.get())
            EXPECT_EQ(x->drawMode, y->drawMode);
}

// Undo used to give a copy of the copy recorded at the change.
void ExpectRestoresLikeClone(const Tpertgra& net, const std::string& what)
{
    std::unique_ptr<Tpertgra> copied = net.Clone()->Clone();
    std::unique_ptr<Tpertgra> restored = THistoryStep::Record(net)->Restore();
    ExpectSameState(*restored, *copied, what);
}

// A plan with what the generator leaves out: resource uses with draw modes,
// a custom resource day, a segmented work, a display range and margins.
std::unique_ptr<Tpertgra> RichPlan(uint32_t seed)
{
    TPlanShape shape;
    shape.works = 150 + int32_t(seed * 37 % 200);
    shape.seed = seed;
    shape.parts = 1 + int32_t(seed % 3);
    shape.fractional = seed % 2 == 0;
    auto net = GeneratePlan(shape);
    int k = 0;
    for (auto& v : net->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork, ++k) {
            if (k % 7) continue;
            Trecsource r;
            r.number = std::to_string(k % 5);
            r.name = "混凝土工";
            r.unit = "工日";
            r.dailyAmount = float(k % 9);
            r.drawMode = k % 3;
            w->data->resources.push_back(r);
            w->data->name = std::to_string(k);
            w->data->name.append(size_t(k % 300), 'x');   // past the one-byte length
        }
    auto day = std::make_unique<Trecsource>();
    day->name = "钢筋";
    day->drawMode = 2;
    day->next = std::make_unique<Trecsource>();
    day->next->drawMode = 1;
    net->customResourceDays.push_back(std::move(day));
    for (auto& v : net->nodes)
        if (Tedge* w = v->firstWork; w && w->data->duration >= 2 && !w->data->IsDummy()) {
            SplitWork(*net, w, w->data->duration / 2, w->data->duration - w->data->duration / 2);
            break;
        }
    net->showStart = net->projectStart + 86400;
    net->showEnd = net->projectStart + 86400 * 40;
    net->printRightMargin = 12.5;
    net->Recalculate();
    LayoutNetwork(*net);
    return net;
}

TEST(HistoryStep, RestoresWhatACopyOfTheCopyGave)
{
    TFakeMessages quiet;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        auto net = RichPlan(seed);
        ExpectRestoresLikeClone(*net, "seed " + std::to_string(seed));
    }
    // Stored plans, with every kind of work and setting they hold.
    int files = 0;
    for (const char* dir : {ARROWPLAN_SAMPLES, ARROWPLAN_TEST_DATA})
        for (const auto& e : std::filesystem::directory_iterator(dir)) {
            if (e.path().extension() != ".prt") continue;
            Tpertgra net;
            if (LoadProject(net, e.path().string()) != 1) continue;
            ++files;
            ExpectRestoresLikeClone(net, e.path().filename().string());
            net.Recalculate();
            LayoutNetwork(net);
            ExpectRestoresLikeClone(net, e.path().filename().string() + " laid out");
        }
    EXPECT_GE(files, 6);
}

TEST(HistoryStep, ANetworkWithALoopAndAnEmptyOne)
{
    TFakeMessages quiet;
    auto net = RichPlan(3);
    // A work back from the last node to the first makes a loop: ids are not unique then.
    auto* back = new Tedge;
    back->data->duration = 1;
    net->LinkWork(net->nodes.back().get(), net->nodes.front().get(), back);
    ExpectRestoresLikeClone(*net, "loop");
    Tpertgra empty;
    ExpectRestoresLikeClone(empty, "empty");
}

TEST(HistoryStep, SharesTheBlocksAChangeDidNotTouch)
{
    TFakeMessages quiet;
    TPlanShape shape;
    shape.works = 2000;
    shape.seed = 4;
    auto net = GeneratePlan(shape);
    LayoutNetwork(*net);
    auto first = THistoryStep::Record(*net);
    EXPECT_GT(first->OwnBlockBytes(nullptr), 0u);
    // The same network again holds nothing of its own.
    auto again = THistoryStep::Record(*net, first.get());
    EXPECT_EQ(again->OwnBlockBytes(first.get()), 0u);
    // A changed name touches its block only.
    net->nodes[700]->firstWork->data->name = "改过的名称";
    auto renamed = THistoryStep::Record(*net, again.get());
    EXPECT_GT(renamed->OwnBlockBytes(again.get()), 0u);
    EXPECT_LT(renamed->OwnBlockBytes(again.get()) * 10, first->OwnBlockBytes(nullptr));
    EXPECT_EQ(renamed->Restore()->nodes[700]->firstWork->data->name, "改过的名称");
    EXPECT_NE(first->Restore()->nodes[700]->firstWork->data->name, "改过的名称");
    // A shared block restores the same in both steps.
    auto copied = net->Clone();
    ExpectSameState(*renamed->Restore(), *copied->Clone(), "renamed");
}

}  // namespace
