// The working state of the delete dialog and the deletion of a rubber band.
#include "editing/Deletechoice.h"

#include <gtest/gtest.h>

#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

// A-3->B-2->C-1->E, B-4->D (row 1), D->E dummy.
std::unique_ptr<TNetBuilder> Net()
{
    auto b = std::make_unique<TNetBuilder>();
    b->Work('A', 'B', 3);
    b->Work('B', 'C', 2);
    b->Work('C', 'E', 1);
    b->Work('B', 'D', 4)->row = 1;
    b->Work('D', 'E', 0, WorkKind::Dummy)->row = 1;
    b->Work('C', 'M', 0, WorkKind::Milestone);
    b->N('D')->row = 1;
    b->Place();
    b->net->Recalculate();
    LayoutNetwork(*b->net);
    return b;
}

TEST(DeleteChoice, CaptionIsTheWorksNameOrAPlaceholder)
{
    auto b = Net();
    EXPECT_EQ(TDeleteChoice(b->net.get(), b->W("BC")).edgeCaption, "BC");
    b->W("BC")->data->name = "  ";
    EXPECT_EQ(TDeleteChoice(b->net.get(), b->W("BC")).edgeCaption, "工作名称");
    const TDeleteChoice c(b->net.get(), b->W("AB"));
    EXPECT_TRUE(c.chkedge);
    EXPECT_FALSE(c.chkbacklink);
    EXPECT_FALSE(c.chkfrontlink);
}

TEST(DeleteChoice, TheWorkBoxAndTheLinkBoxesExcludeEachOther)
{
    struct Case {
        const char* clicks;   // e: chkedge, b: chkbacklink, f: chkfrontlink
        bool edge, back, front;
    };
    const Case cases[] = {
        {"", true, false, false},    {"b", false, true, false}, {"f", false, false, true},
        {"bf", false, true, true},   {"bfe", true, false, false}, {"e", false, false, false},
        {"bb", false, false, false}, {"ee", true, false, false},
    };
    auto b = Net();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicks);
        TDeleteChoice d(b->net.get(), b->W("BC"));
        for (const char* p = c.clicks; *p; ++p) {
            if (*p == 'e') d.ClickEdge();
            if (*p == 'b') d.ClickBackLink();
            if (*p == 'f') d.ClickFrontLink();
        }
        EXPECT_EQ(d.chkedge, c.edge);
        EXPECT_EQ(d.chkbacklink, c.back);
        EXPECT_EQ(d.chkfrontlink, c.front);
    }
}

TEST(DeleteChoice, ConfirmRunsTheOperationOfTheCheckedBoxes)
{
    struct Case {
        const char* what;
        const char* work;
        const char* clicks;
        int32_t result;
        bool workGone, ownStart, ownEnd;
    };
    const Case cases[] = {
        {"the work", "BC", "", 1, true, false, false},
        {"its successor links", "BC", "b", 1, false, false, true},
        {"its predecessor links", "BC", "f", 1, false, true, false},
        {"both kinds of links", "BC", "bf", 1, false, true, true},
        {"no box", "BC", "e", 0, false, false, false},
        {"links of a milestone are ignored", "CM", "bf", 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeMessages messages;
        auto b = Net();
        Tedge* w = b->W(c.work);
        Tvertex* from = w->fromNode;
        Tvertex* to = w->toNode;
        b->net->selection = {b->W("AB")};
        auto before = b->net->Clone();
        TDeleteChoice d(b->net.get(), w);
        for (const char* p = c.clicks; *p; ++p) {
            if (*p == 'e') d.ClickEdge();
            if (*p == 'b') d.ClickBackLink();
            if (*p == 'f') d.ClickFrontLink();
        }
        EXPECT_EQ(d.Confirm(), c.result);
        EXPECT_EQ(d.modalResult, 1);
        EXPECT_TRUE(b->net->selection.empty());
        EXPECT_EQ(LinkProblems(*b->net), "");
        EXPECT_EQ(WorkNames(*b->net).count(c.work) == 0, c.workGone);
        if (!c.workGone) {
            EXPECT_EQ(w->fromNode != from, c.ownStart);
            EXPECT_EQ(w->toNode != to, c.ownEnd);
        }
        if (c.result == 0) {
            EXPECT_TRUE(b->net->IsSameAs(*before));
        }
    }
}

TEST(DeleteChoice, CancelChangesNothing)
{
    auto b = Net();
    auto before = b->net->Clone();
    TDeleteChoice d(b->net.get(), b->W("BC"));
    d.Cancel();
    EXPECT_EQ(d.modalResult, 2);
    EXPECT_TRUE(b->net->IsSameAs(*before));
    TDeleteChoice none(nullptr, nullptr);
    EXPECT_EQ(none.Confirm(), 0);
}

TEST(DeleteSelectedWorks, AsksOnceAndDeletesEveryCaughtWork)
{
    for (const TMsgAnswer answer : {TMsgAnswer::Yes, TMsgAnswer::No}) {
        SCOPED_TRACE(answer == TMsgAnswer::Yes ? "Yes" : "No");
        TFakeMessages messages;
        messages.answers = {answer};
        auto b = Net();
        b->net->selection = {b->W("CE"), b->W("BD")};
        const int32_t r = DeleteSelectedWorks(*b->net);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "真的要删除吗?");
        EXPECT_EQ(messages.shown[0].caption, "警告");
        EXPECT_EQ(messages.shown[0].icon, TMsgIcon::Question);
        EXPECT_EQ(messages.shown[0].buttons, TMsgButtons::YesNo);
        EXPECT_TRUE(b->net->selection.empty());
        const std::set<std::string> names = WorkNames(*b->net);
        if (answer == TMsgAnswer::Yes) {
            EXPECT_EQ(r, 1);
            EXPECT_EQ(names, (std::set<std::string>{"AB", "BC", "DE", "CM"}));
            EXPECT_EQ(LinkProblems(*b->net), "");
        } else {
            EXPECT_EQ(r, 0);
            EXPECT_EQ(names.size(), 6u);
        }
    }
    TFakeMessages messages;
    auto b = Net();
    EXPECT_EQ(DeleteSelectedWorks(*b->net), 0);   // nothing caught: no question
    EXPECT_TRUE(messages.shown.empty());
}

}
