// The four items under "检查": their texts, where the view goes, and what a
// Yes, No or Cancel does.
#include "editing/Checkmenu.h"

#include <gtest/gtest.h>

#include "drawing/Timeaxis.h"
#include "editing/Networkchecks.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

class TFakeView : public ICheckView {
public:
    explicit TFakeView(Tpertgra& n) : net(n) {}
    void ScrollTo(double left, double top) override { scrolls.push_back({left, top}); }
    double ViewWidth() const override { return 400; }
    double ViewHeight() const override { return 300; }
    void ResizeCanvas() override { ++resizes; }
    void RefreshView() override
    {
        marked.push_back(net.selection);
        net.Recalculate();
        LayoutNetwork(net);
    }

    Tpertgra& net;
    std::vector<std::pair<double, double>> scrolls;
    std::vector<std::vector<Tedge*>> marked;   // the selection at each refresh
    int resizes = 0;
};

void Ready(TNetBuilder& b)
{
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
}

TEST(CheckStartNodes, ASingleStartIsReportedDone)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 1);
    Ready(b);
    TFakeView view(*b.net);
    EXPECT_EQ(CheckStartNodes(*b.net, view), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "检查已完成，该网络图为单起点!");
    EXPECT_EQ(messages.shown[0].caption, "警告");
    EXPECT_EQ(messages.shown[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(messages.shown[0].buttons, TMsgButtons::Ok);
    EXPECT_TRUE(view.scrolls.empty());
    EXPECT_EQ(CheckEndNodes(*b.net, view), 0);
    EXPECT_EQ(messages.shown[1].text, "检查已完成，该网络图为单终点!");
}

// Three start nodes A, B, C into D; D and E are two end nodes.
std::unique_ptr<TNetBuilder> ThreeStarts()
{
    auto b = std::make_unique<TNetBuilder>();
    b->Work('A', 'D', 2);
    b->Work('B', 'D', 3)->row = 1;
    b->Work('C', 'D', 1)->row = 2;
    b->Work('C', 'E', 4)->row = 3;
    b->N('B')->row = 1;
    b->N('C')->row = 2;
    b->N('E')->row = 3;
    Ready(*b);
    return b;
}

TEST(CheckStartNodes, CentresOnTheLastStartAndMergesOnYes)
{
    for (const TMsgAnswer answer : {TMsgAnswer::Yes, TMsgAnswer::No}) {
        SCOPED_TRACE(answer == TMsgAnswer::Yes ? "Yes" : "No");
        TFakeMessages messages;
        messages.answers = {answer};
        auto b = ThreeStarts();
        auto before = b->net->Clone();
        TFakeView view(*b->net);
        const Tvertex* last = b->N('C');
        const std::pair<double, double> centred{last->x - 200.0, last->y - 150.0};
        const int32_t r = CheckStartNodes(*b->net, view);
        ASSERT_EQ(view.scrolls.size(), 1u);
        EXPECT_EQ(view.scrolls[0], centred);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "该网络图有3个起点,是否合为单起点？");
        EXPECT_EQ(messages.shown[0].caption, "警告");
        EXPECT_EQ(messages.shown[0].icon, TMsgIcon::Question);
        EXPECT_EQ(messages.shown[0].buttons, TMsgButtons::YesNo);
        if (answer == TMsgAnswer::Yes) {
            EXPECT_EQ(r, 1);
            EXPECT_EQ(StartNodes(*b->net).size(), 1u);
            EXPECT_EQ(view.resizes, 1);
            EXPECT_EQ(view.marked.size(), 1u);
            EXPECT_EQ(LinkProblems(*b->net), "");
        } else {
            EXPECT_EQ(r, 0);
            EXPECT_TRUE(b->net->IsSameAs(*before));
            EXPECT_EQ(view.resizes, 0);
        }
    }
}

TEST(CheckEndNodes, CentresOnTheFirstEndAndMergesOnYes)
{
    TFakeMessages messages;
    auto b = ThreeStarts();
    TFakeView view(*b->net);
    const Tvertex* first = EndNodes(*b->net).front();
    const std::pair<double, double> centred{first->x - 200.0, first->y - 150.0};
    EXPECT_EQ(CheckEndNodes(*b->net, view), 1);
    EXPECT_EQ(view.scrolls.at(0), centred);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"该网络图有2个终点,是否合为单终点？"});
    EXPECT_EQ(EndNodes(*b->net).size(), 1u);
}

// Two pairs of overlapping lines on rows 1 and 3, nothing on rows 0 and 2.
std::unique_ptr<TNetBuilder> Overlaps()
{
    auto b = std::make_unique<TNetBuilder>();
    b->Work('A', 'B', 4)->row = 1;
    b->Work('A', 'C', 6)->row = 1;
    b->Work('B', 'D', 3)->row = 3;
    b->Work('C', 'D', 2)->row = 3;
    for (char n : {'A', 'B', 'C', 'D'}) b->N(n)->row = 1;
    b->Place();
    b->net->Recalculate();
    LayoutNetwork(*b->net);
    // the layout takes rows for its nodes; the lines keep theirs
    b->W("AB")->row = b->W("AC")->row = 1;
    b->W("BD")->row = b->W("CD")->row = 3;
    return b;
}

TEST(CheckOverlappingWork, RepairsUntilNothingOverlaps)
{
    TFakeMessages messages;
    auto b = Overlaps();
    TFakeView view(*b->net);
    Tedge* first = FindOverlappingWork(*b->net);
    ASSERT_NE(first, nullptr);
    const std::pair<double, double> centred{
        (first->fromNode->x + first->toNode->x) / 2.0 - 200,
        first->row * RowHeight(*b->net) + Y0(*b->net) - 150};
    EXPECT_EQ(CheckOverlappingWork(*b->net, view), 1);
    EXPECT_EQ(view.scrolls.at(0), centred);
    const std::vector<std::string> texts = messages.Texts();
    ASSERT_GE(texts.size(), 3u);   // at least one question per overlapping pair
    for (size_t i = 0; i + 1 < texts.size(); ++i) EXPECT_EQ(texts[i], "工作线有重叠，是否修复！");
    EXPECT_EQ(texts.back(), "检查已完成，工作线无重叠!");
    EXPECT_EQ(messages.shown.back().buttons, TMsgButtons::Ok);
    EXPECT_EQ(messages.shown.front().buttons, TMsgButtons::YesNo);
    EXPECT_EQ(FindOverlappingWork(*b->net), nullptr);
    EXPECT_EQ(view.resizes, int(texts.size()) - 1);
}

TEST(CheckOverlappingWork, NoEndsTheCheck)
{
    TFakeMessages messages;
    messages.answers = {TMsgAnswer::No};
    auto b = Overlaps();
    auto before = b->net->Clone();
    TFakeView view(*b->net);
    EXPECT_EQ(CheckOverlappingWork(*b->net, view), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"工作线有重叠，是否修复！"});
    EXPECT_TRUE(b->net->IsSameAs(*before));

    TFakeMessages again;
    TNetBuilder clean;
    clean.Work('A', 'B', 2);
    Ready(clean);
    TFakeView cleanView(*clean.net);
    EXPECT_EQ(CheckOverlappingWork(*clean.net, cleanView), 0);
    EXPECT_EQ(again.Texts(), std::vector<std::string>{"检查已完成，工作线无重叠!"});
}

// Two redundant dummies: A->B (implied by A->C->B) and E->F (E's only work).
std::unique_ptr<TNetBuilder> TwoRedundant()
{
    auto b = std::make_unique<TNetBuilder>();
    b->Work('A', 'B', 0, WorkKind::Dummy);
    b->Work('A', 'C', 2);
    b->Work('C', 'B', 1);
    b->Work('B', 'E', 2);
    b->Work('E', 'F', 0, WorkKind::Dummy)->row = 2;
    b->Work('F', 'G', 1);
    b->Work('X', 'F', 3)->row = 1;
    Ready(*b);
    return b;
}

TEST(CheckRedundantLinks, AsksForEachAndDeletesOnYes)
{
    TFakeMessages messages;
    messages.answers = {TMsgAnswer::No, TMsgAnswer::Yes};
    auto b = TwoRedundant();
    TFakeView view(*b->net);
    Tedge* ab = b->W("AB");
    Tedge* ef = b->W("EF");
    ASSERT_EQ(RedundantLinks(*b->net), (std::vector<Tedge*>{ab, ef}));
    const double h = RowHeight(*b->net), y0 = Y0(*b->net);
    const std::pair<double, double> first{double(ab->fromNode->x), ab->row * h + y0 - 150};
    const std::pair<double, double> second{double(ef->fromNode->x), ef->row * h + y0 - 150};
    EXPECT_EQ(CheckRedundantLinks(*b->net, view), 1);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text, "有多余逻辑关系，是否修复！");
        EXPECT_EQ(m.caption, "警告");
        EXPECT_EQ(m.buttons, TMsgButtons::YesNoCancel);
    }
    EXPECT_EQ(view.scrolls, (std::vector<std::pair<double, double>>{first, second}));
    // each link was marked while its question was open
    ASSERT_GE(view.marked.size(), 2u);
    EXPECT_EQ(view.marked[0], std::vector<Tedge*>{ab});
    EXPECT_EQ(view.marked[1], std::vector<Tedge*>{ef});
    EXPECT_TRUE(b->net->selection.empty());
    EXPECT_EQ(WorkNames(*b->net).count("AB"), 1u);
    EXPECT_EQ(WorkNames(*b->net).count("EF"), 0u);
    EXPECT_EQ(LinkProblems(*b->net), "");
    EXPECT_EQ(ComponentCount(*b->net), 1);
    EXPECT_EQ(view.resizes, 1);
}

TEST(CheckRedundantLinks, CancelStopsAndNothingFoundIsReported)
{
    TFakeMessages messages;
    messages.answers = {TMsgAnswer::Cancel};
    auto b = TwoRedundant();
    TFakeView view(*b->net);
    EXPECT_EQ(CheckRedundantLinks(*b->net, view), 0);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(b->net->WorkCount(), 7);

    TFakeMessages none;
    TNetBuilder clean;
    clean.Work('A', 'B', 2);
    Ready(clean);
    TFakeView cleanView(*clean.net);
    EXPECT_EQ(CheckRedundantLinks(*clean.net, cleanView), 0);
    EXPECT_EQ(none.Texts(), std::vector<std::string>{"检查已完成，无多余逻辑关系!"});
    EXPECT_EQ(none.shown[0].buttons, TMsgButtons::Ok);
}

TEST(CheckRedundantLinks, ALinkThatADeletionMadeNecessaryIsNotOffered)
{
    // Two parallel dummies A->B imply each other; once one is gone the
    // other is A's only link to B and must stay.
    TFakeMessages messages;
    TNetBuilder b;
    Tedge* d1 = b.Work('A', 'B', 0, WorkKind::Dummy);
    auto* d2 = new Tedge;
    d2->data->kind = WorkKind::Dummy;
    d2->data->name = "AB2";
    b.net->LinkWork(b.N('A'), b.N('B'), d2);
    b.Work('A', 'C', 2);
    b.Work('X', 'B', 1);
    b.Work('B', 'D', 1);
    b.Work('C', 'D', 1);
    Ready(b);
    ASSERT_EQ(RedundantLinks(*b.net).size(), 2u);
    TFakeView view(*b.net);
    EXPECT_EQ(CheckRedundantLinks(*b.net, view), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(b.net->WorkCount(), 5);
    EXPECT_TRUE(b.net->Reaches(b.N('A'), b.N('B')));
    (void)d1;
}

}
