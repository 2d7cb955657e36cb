#include "gantt/Ganttsort.h"

#include <gtest/gtest.h>

#include <random>

#include "editing/Paixudialog.h"
#include "editing/Pertdoc.h"
#include "gantt/Gantt.h"
#include "gantt/Ganttfixture.h"
#include "gantt/Paixuchoice.h"
#include "model/Pertgra.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

using namespace ganttfixture;

namespace {

// The sort by start as a plain insertion over AllWorks.
std::vector<Tedge*> LiteralByStart(const Tpertgra& net)
{
    std::vector<Tedge*> works = net.AllWorks();
    std::vector<Tedge*> out;
    for (Tedge* w : works) {
        size_t j = out.size();
        out.push_back(w);
        while (j > 0 && double(out[j - 1]->data->start) - w->data->start > 1e-8) {
            out[j] = out[j - 1];
            --j;
        }
        out[j] = w;
    }
    return out;
}

std::vector<Tedge*> ByNumber(const Tpertgra& net)
{
    std::vector<Tedge*> works = net.AllWorks();
    std::vector<Tedge*> byNo(works.size(), nullptr);
    for (Tedge* w : works) {
        const int32_t no = w->data->workNo;
        EXPECT_GE(no, 1);
        EXPECT_LE(no, int32_t(works.size()));
        if (no >= 1 && no <= int32_t(works.size())) byNo[size_t(no - 1)] = w;
    }
    return byNo;
}

TEST(GanttSort, ByStartMatchesTheLiteralInsertion)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        TPlanShape shape;
        shape.works = 300;
        shape.seed = seed;
        shape.fractional = seed % 2 == 0;
        auto net = GeneratePlan(shape);
        std::mt19937 rng(seed);
        std::vector<Tedge*> works = net->AllWorks();
        // Starts a hair apart: within 1e-8 of each other, some chained
        // across more than 1e-8, so that the order of AllWorks is not
        // sorted by start.
        for (size_t i = 0; i < works.size(); i += 7)
            works[i]->data->start = float((rng() % 4) * 0.6e-8);
        for (Tedge* w : works) w->data->workNo = int32_t(rng() % 50);
        const std::vector<Tedge*> expected = LiteralByStart(*net);
        SortByStart(*net);
        EXPECT_EQ(ByNumber(*net), expected) << "seed " << seed;
    }
    // Starts chained 0.6e-8 apart: the literal insertion moves works.
    TNetBuilder b;
    const char names[] = "abcdefgh";
    for (int i = 0; i < 6; ++i) b.Work('s', names[i], 1);
    const double starts[] = {1.2e-8, 0.6e-8, 0, 1.8e-8, 0, 1.2e-8};
    for (int i = 0; i < 6; ++i) b.W(std::string("s") + names[i])->data->start = float(starts[i]);
    const std::vector<Tedge*> expected = LiteralByStart(*b.net);
    SortByStart(*b.net);
    EXPECT_EQ(ByNumber(*b.net), expected);
}

TEST(GanttSort, ByStartNumbersEveryKind)
{
    TNetBuilder b;
    b.Work('a', 'b', 2);
    b.Work('b', 'c', 0, WorkKind::Dummy);
    b.Work('c', 'd', 0, WorkKind::Milestone);
    b.Work('a', 'e', 1);
    b.Place();
    Tpertgra& net = *b.net;
    for (Tedge* w : net.AllWorks()) w->data->workNo = 9;
    SortByStart(net);
    std::vector<int> numbers;
    for (const Tedge* w : ByNumber(net)) numbers.push_back(w ? 1 : 0);
    EXPECT_EQ(numbers, (std::vector<int>{1, 1, 1, 1}));
    // The table shows only its listed works, numbered 1..n.
    ShowGantt(net);
    ASSERT_EQ(net.liveGantt.pageWorks.size(), 2u);
    EXPECT_EQ(net.liveGantt.pageWorks[0]->data->workNo, 1);
    EXPECT_EQ(net.liveGantt.pageWorks[1]->data->workNo, 2);
}

TEST(GanttSort, ByGroupKeepsTheStartOrderInsideAGroup)
{
    auto net = Chain(5);
    const int groups[] = {3, 1, 2, 1, 3};
    for (int i = 0; i < 5; ++i) Named(*net, "W" + std::to_string(i + 1))->data->groupNo = groups[i];
    SortByGroup(*net);
    std::vector<std::string> order;
    for (const Tedge* w : ByNumber(*net)) order.push_back(w->data->name);
    EXPECT_EQ(order, (std::vector<std::string>{"W2", "W4", "W3", "W1", "W5"}));
    ShowGantt(*net);
    EXPECT_EQ(RowNames(net->liveGantt), order);
}

struct TScriptedSort : IPaixuDialog {
    TScriptedSort() { SetPaixuDialog(this); }
    ~TScriptedSort() override { SetPaixuDialog(nullptr); }
    bool Show(TPaixuChoice& choice) override
    {
        ++shown;
        EXPECT_EQ(choice.paixumode, 0);   // by start when the dialog opens
        choice.paixumode = mode;
        return ok;
    }
    int mode = 1;
    bool ok = true;
    int shown = 0;
};

TEST(GanttSort, TheDialogSortsAsOneUndoStep)
{
    TScriptedSort dialog;
    auto net = Chain(3);
    Named(*net, "W1")->data->groupNo = 2;
    SetViewKind(*net, 0);
    TPertdoc doc(std::move(net), "网络图1", "");
    doc.Relayout();
    doc.PushHistory();
    doc.network->modified = false;
    const int32_t steps = doc.history.Count();

    dialog.ok = false;
    EXPECT_EQ(OpenSortDialog(doc), 0);
    EXPECT_EQ(doc.history.Count(), steps);
    EXPECT_FALSE(doc.network->modified);

    dialog.ok = true;
    EXPECT_EQ(OpenSortDialog(doc), 1);
    EXPECT_TRUE(doc.network->modified);
    EXPECT_EQ(doc.history.Count(), steps + 1);
    EXPECT_EQ(RowNames(doc.network->liveGantt), (std::vector<std::string>{"W2", "W3", "W1"}));
    // Sorting what is already in order changes nothing and records nothing.
    EXPECT_EQ(OpenSortDialog(doc), 0);
    EXPECT_EQ(doc.history.Count(), steps + 1);
    ASSERT_TRUE(doc.Undo());
    doc.Relayout();
    EXPECT_EQ(RowNames(doc.network->liveGantt), (std::vector<std::string>{"W1", "W2", "W3"}));

    SetViewKind(*doc.network, 1);
    EXPECT_EQ(OpenSortDialog(doc), 0);
    EXPECT_EQ(dialog.shown, 3);
}

}  // namespace
