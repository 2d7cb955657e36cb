#include "editing/Pertdoc.h"

#include <gtest/gtest.h>

#include <functional>

#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Commanddoc.h"
#include "editing/Desktopfixtures.h"
#include "editing/Setpertcommand.h"
#include "gantt/Gantt.h"
#include "model/Recsource.h"
#include "schedule/Vqtime.h"
#include "support/Fakemessages.h"

namespace {

// A command that records what reached it and answers a scripted result.
class TRecordingCmd : public CPertCommand {
public:
    explicit TRecordingCmd(int32_t kind = ckSelect) : kind_(kind) {}
    int32_t Kind() const override { return kind_; }
    int32_t MouseDown(Tpertgra&, int32_t f, TPosition2D p, TPertDrawMode&) override
    {
        events.push_back("down");
        lastFlags = f;
        lastPoint = p;
        return 0;
    }
    int32_t MouseMove(Tpertgra&, int32_t f, TPosition2D, TPertDrawMode&) override
    {
        events.push_back("move");
        lastFlags = f;
        return 0;
    }
    int32_t MouseUp(Tpertgra&, int32_t, TPosition2D, TPertDrawMode&) override
    {
        events.push_back("up");
        return upResult;
    }
    int32_t DoubleClick(Tpertgra&, TPertDrawMode&) override
    {
        events.push_back("dbl");
        return dblResult;
    }
    std::vector<std::string> events;
    int32_t lastFlags = 0;
    int32_t upResult = 0;
    int32_t dblResult = 0;

private:
    int32_t kind_;
};

struct DocFixture {
    DocFixture() : doc(SmallPlan(), "网络图1", "")
    {
        doc.Relayout();
        doc.view = {0, 0, 800, 600};
        doc.paintBox = doc.ComputePaintBox();
    }
    TPertdoc doc;
    TPertDrawMode mode;
    TSetpertCommand chooser;
};

TEST(DocumentDispatch, PressConvertsToDrawingUnitsAtZoomAndScroll)
{
    DocFixture f;
    TRecordingCmd tool;
    f.doc.zoom = 200;
    f.doc.view.scrollX = 100;
    f.doc.view.scrollY = 50;
    EXPECT_EQ(f.doc.Press(mfLeft | mfShift, 101, 151, &tool, f.mode), deRepaint);
    EXPECT_EQ(tool.events, std::vector<std::string>{"down"});
    EXPECT_EQ(tool.lastFlags, mfLeft | mfShift);
    EXPECT_DOUBLE_EQ(tool.lastPoint.x, 100.5);
    EXPECT_EQ(f.doc.downX, 100);
    EXPECT_EQ(f.doc.downY, 100);
    EXPECT_EQ(f.doc.network->pressX, 201);
    EXPECT_EQ(f.doc.network->pressY, 201);
}

TEST(DocumentDispatch, ReleaseThatChangedRecordsHistoryAndMarksModified)
{
    DocFixture f;
    TRecordingCmd tool;
    f.doc.network->modified = false;
    tool.upResult = 2;   // anything but 1 is "no change"
    EXPECT_EQ(f.doc.Release(mfLeft, 10, 10, &tool, f.mode), deRepaint);
    EXPECT_EQ(f.doc.history.Count(), 1);
    EXPECT_FALSE(f.doc.network->modified);
    tool.upResult = 1;
    EXPECT_EQ(f.doc.Release(mfLeft, 10, 10, &tool, f.mode), deRebuild | deRepaint);
    EXPECT_EQ(f.doc.history.Count(), 2);
    EXPECT_TRUE(f.doc.network->modified);
}

TEST(DocumentDispatch, DoubleClickOfTheToolThatChangedIsRecorded)
{
    DocFixture f;
    TRecordingCmd tool;
    f.doc.network->modified = false;
    tool.dblResult = 1;
    EXPECT_EQ(f.doc.DoubleClick(&tool, f.mode), deRebuild | deRepaint);
    EXPECT_EQ(f.doc.history.Count(), 2);
    EXPECT_TRUE(f.doc.network->modified);
    // Without a tool: a network that differs from its snapshot is refreshed.
    EXPECT_EQ(f.doc.DoubleClick(nullptr, f.mode), deNothing);
    f.doc.network->nodes.front()->row = 4;
    EXPECT_EQ(f.doc.DoubleClick(nullptr, f.mode), deRefresh);
}

TEST(DocumentDispatch, ResourceViewIgnoresThePointer)
{
    DocFixture f;
    TRecordingCmd tool;
    tool.upResult = 1;
    tool.dblResult = 1;
    SetViewKind(*f.doc.network, 3);
    EXPECT_EQ(f.doc.Press(mfLeft, 5, 5, &tool, f.mode), deNothing);
    EXPECT_EQ(f.doc.Move(mfLeft, 6, 6, &tool, f.mode, f.chooser), deNothing);
    EXPECT_EQ(f.doc.Release(mfLeft, 6, 6, &tool, f.mode), deNothing);
    EXPECT_EQ(f.doc.DoubleClick(&tool, f.mode), deNothing);
    EXPECT_TRUE(tool.events.empty());
    EXPECT_EQ(f.doc.history.Count(), 1);
}

TEST(DocumentDispatch, HoverCommandTakesPrecedenceAndADragKeepsItsCommand)
{
    DocFixture f;
    TRecordingCmd tool;
    bool inside = true;
    TSetpertCommand::THoverRule rule;
    rule.kind = ckMovefenzu;
    rule.applies = [&](const Tpertgra&, TPosition2D, const TPertDrawMode&) { return inside; };
    rule.make = [] { return std::make_unique<TRecordingCmd>(ckMovefenzu); };
    f.chooser.hoverRules.push_back(rule);
    f.doc.Move(0, 5, 5, &tool, f.mode, f.chooser);
    ASSERT_TRUE(f.doc.localCommand);
    EXPECT_EQ(f.doc.localCommand->Kind(), ckMovefenzu);
    EXPECT_TRUE(tool.events.empty());
    // Dragging out of the place keeps the command until the button is released.
    inside = false;
    f.doc.Move(mfLeft, 50, 5, &tool, f.mode, f.chooser);
    ASSERT_TRUE(f.doc.localCommand);
    f.doc.Move(0, 50, 5, &tool, f.mode, f.chooser);
    EXPECT_FALSE(f.doc.localCommand);
    EXPECT_EQ(tool.events, std::vector<std::string>{"move"});
}

TEST(HoverChoice, KindsKeptUntilTheirGestureIsFinished)
{
    TSetpertCommand chooser;
    bool handle = true;
    TSetpertCommand::THoverRule rule;
    rule.kind = ckMovetimedata;
    rule.keepUntilFinished = true;
    rule.applies = [&](const Tpertgra&, TPosition2D, const TPertDrawMode&) { return handle; };
    rule.make = [] { return std::make_unique<TRecordingCmd>(ckMovetimedata); };
    chooser.hoverRules.push_back(rule);
    Tpertgra net;
    TPertDrawMode mode;
    std::unique_ptr<CPertCommand> local = std::make_unique<TRecordingCmd>(ckMoveBiaoZhu);
    chooser.ChooseHoverCommand(net, local, 0, mode, {});
    ASSERT_TRUE(local);
    EXPECT_EQ(local->Kind(), ckMovetimedata);   // another kind is replaced
    CPertCommand* same = local.get();
    chooser.ChooseHoverCommand(net, local, 0, mode, {});
    EXPECT_EQ(local.get(), same);               // the same kind stays
    handle = false;
    local->finished = false;
    chooser.ChooseHoverCommand(net, local, 0, mode, {});
    EXPECT_TRUE(local);
    local->finished = true;
    chooser.ChooseHoverCommand(net, local, 0, mode, {});
    EXPECT_FALSE(local);
}

TEST(DocumentClose, QueryAnswersAndTheirEffect)
{
    struct Case {
        bool busy;
        bool modified;
        const char* caption;
        TMsgAnswer answer;
        bool saveSucceeds;
        bool asked;
        bool closes;
    } cases[] = {
        {true, true, "/p/a.prt", TMsgAnswer::Yes, true, false, false},
        {false, false, "/p/a.prt", TMsgAnswer::Yes, true, false, true},
        {false, false, "/home/u/~TMP", TMsgAnswer::No, true, true, true},   // restored backup
        {false, false, "/home/u/~TMP2", TMsgAnswer::Cancel, true, true, false},
        {false, true, "/p/a.prt", TMsgAnswer::Yes, true, true, true},
        {false, true, "/p/a.prt", TMsgAnswer::Yes, false, true, false},     // save refused
        {false, true, "/p/a.prt", TMsgAnswer::No, true, true, true},
        {false, true, "/p/a.prt", TMsgAnswer::Cancel, true, true, false},
    };
    for (const Case& c : cases) {
        TFakeMessages msgs;
        msgs.answers.push_back(c.answer);
        TPertdoc doc(SmallPlan(), c.caption, c.caption);
        doc.busy = c.busy;
        doc.network->modified = c.modified;
        int saves = 0;
        const bool closes = doc.CanClose([&] {
            ++saves;
            return c.saveSucceeds;
        });
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(closes, c.closes);
        ASSERT_EQ(msgs.shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(msgs.shown[0].text, std::string("是否保存") + c.caption + "?");
            EXPECT_EQ(msgs.shown[0].caption, "退出");
            EXPECT_EQ(msgs.shown[0].buttons, TMsgButtons::YesNoCancel);
            EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Question);
        }
        EXPECT_EQ(saves, c.answer == TMsgAnswer::Yes && c.asked ? 1 : 0);
    }
}

TEST(DocumentStatus, PanelsShowWorkDatesAndDuration)
{
    DocFixture f;
    f.doc.network->projectStart = *StampOfCivil({2024, 3, 4, 0, 0, 0});
    f.doc.Relayout();
    const Tvertex* b = nullptr;
    for (const auto& v : f.doc.network->nodes)
        if (v->time == 5) b = v.get();
    ASSERT_TRUE(b);
    const auto s = f.doc.PointerStatus({double(b->x), double(b->y)});
    EXPECT_EQ(s[1], "当前时间:2024-03-09");
    EXPECT_EQ(s[2], "开工时间:2024-03-04");
    EXPECT_EQ(s[3], "结束时间:2024-03-11");   // 8 days: the last day is the 11th
    EXPECT_EQ(s[4], "总工期:8天");
    // On empty ground no work is named; on a work line its name is.
    EXPECT_EQ(f.doc.PointerStatus({-500, -500})[0], "当前工作:");
    f.doc.workAt = [](const Tpertgra& net, TPosition2D) { return net.nodes.front()->firstWork; };
    EXPECT_EQ(f.doc.PointerStatus({0, 0})[0],
              "当前工作:" + f.doc.network->nodes.front()->firstWork->data->name);
}

TEST(DocumentZoom, WheelZoomsAroundTheNodeUnderThePointer)
{
    DocFixture f;
    f.doc.view = {0, 0, 200, 150};   // smaller than the drawing
    f.doc.paintBox = f.doc.ComputePaintBox();
    const Tvertex* v = f.doc.network->nodes.back().get();
    f.doc.moveX = v->x + 3;
    f.doc.moveY = v->y - 2;
    const TPosition2D before = PixelOfDrawing(100, f.doc.view, {double(v->x), double(v->y)});
    EXPECT_FALSE(f.doc.Wheel(120));
    EXPECT_EQ(f.doc.zoom, 100);
    EXPECT_TRUE(f.doc.Wheel(120));
    EXPECT_NEAR(f.doc.zoom, 110, 1e-9);
    const TPosition2D after = PixelOfDrawing(f.doc.zoom, f.doc.view, {double(v->x), double(v->y)});
    EXPECT_NEAR(after.x, before.x, 1.0);
    EXPECT_NEAR(after.y, before.y, 1.0);
}

TEST(DocumentView, AutoScrollSteps)
{
    const TViewport v{0, 0, 400, 300};
    struct Case {
        double x, y, dx, dy;
    } cases[] = {{200, 150, 0, 0}, {10, 150, -16, 0}, {395, 150, 16, 0},
                 {200, 5, 0, -16}, {200, 290, 0, 16}, {0, 299, -16, 16}};
    for (const Case& c : cases) {
        const TPosition2D d = TPertdoc::AutoScrollStep(c.x, c.y, v);
        EXPECT_EQ(d.x, c.dx) << c.x << "," << c.y;
        EXPECT_EQ(d.y, c.dy) << c.x << "," << c.y;
    }
}

TEST(ViewModes, SettingAndReadingBack)
{
    Tpertgra net;
    for (int32_t m : {1, 3, 0, 2, 1}) {
        SetViewKind(net, m);
        EXPECT_EQ(ViewKind(net), m);
    }
}

}  // namespace

// Settings that the network's equality leaves out (the display range, the
// print margins, the Gantt columns and margins, the diagrams' draw modes)
// are still changes when a dialog confirms them: one step that marks the
// document modified, and undo gives the old value back.
TEST(DocumentSettingsChange, SettingsBeyondTheEqualityAreRecordedAndUndone)
{
    struct Case {
        const char* what;
        std::function<void(Tpertgra&)> change;
        std::function<bool(const Tpertgra&)> changed;
    };
    const Case cases[] = {
        {"print margin", [](Tpertgra& n) { n.printRightMargin = 12; },
         [](const Tpertgra& n) { return n.printRightMargin == 12; }},
        {"Gantt column alignment", [](Tpertgra& n) { n.liveGantt.columns[1].align = 2; },
         [](const Tpertgra& n) { return n.liveGantt.columns[1].align == 2; }},
        {"Gantt print margin", [](Tpertgra& n) { n.liveGantt.margins.bottomMargin = 9; },
         [](const Tpertgra& n) { return n.liveGantt.margins.bottomMargin == 9; }},
        {"diagram draw mode",
         [](Tpertgra& n) { n.nodes[0]->firstWork->data->resources[0].drawMode = 1; },
         [](const Tpertgra& n) { return n.nodes[0]->firstWork->data->resources[0].drawMode == 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto net = commanddoc::Diamond();
        Trecsource line;
        line.number = "R1";
        line.dailyAmount = 2;
        net->nodes[0]->firstWork->data->resources.push_back(line);
        commanddoc::Doc d(std::move(net));
        d.Net().modified = false;
        const int32_t steps = d.doc.history.Count();
        const std::unique_ptr<Tpertgra> before = d.Net().Clone();
        c.change(d.Net());
        EXPECT_TRUE(d.doc.RecordChangeFrom(*before));
        EXPECT_TRUE(d.Net().modified);
        EXPECT_EQ(d.doc.history.Count(), steps + 1);
        ASSERT_TRUE(d.doc.Undo());
        EXPECT_FALSE(c.changed(d.Net()));
        ASSERT_TRUE(d.doc.Redo());
        EXPECT_TRUE(c.changed(d.Net()));
    }
}
