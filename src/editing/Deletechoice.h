#pragma once
#include <cstdint>
#include <string>

class Tpertgra;
class Tedge;

// The working state of the delete dialog "删除工作" for one work: whether
// the work itself goes or only its links to its successors and
// predecessors, and what 确定 runs. The dialog window binds its check boxes
// chkedge, chkbacklink and chkfrontlink to the fields of the same names.
class TDeleteChoice {
public:
    static constexpr const char* kCaption = "删除工作";
    static constexpr const char* kWorkGroup = "选择的工作";
    static constexpr const char* kLinkGroup = "仅删除工作的逻辑关系";
    static constexpr const char* kBackLinkText = "删除紧后逻辑关系";    // red caption
    static constexpr const char* kFrontLinkText = "删除紧前逻辑关系";   // blue caption
    static constexpr const char* kUnnamedWork = "工作名称";

    Tpertgra* network = nullptr;
    Tedge* work = nullptr;
    std::string edgeCaption;     // caption of chkedge: the work's name, or "工作名称"
    bool chkedge = true;         // delete the work
    bool chkbacklink = false;    // only cut the links to its successors
    bool chkfrontlink = false;   // only cut the links to its predecessors
    int32_t modalResult = 0;     // 1 after 确定, 2 after 取消

    TDeleteChoice(Tpertgra* net, Tedge* w);

    // A click on a box toggles it; the work box and the link boxes exclude
    // each other, the two link boxes may be checked together.
    void ClickEdge();
    void ClickBackLink();
    void ClickFrontLink();

    // 确定: clears the selection, then deletes the work (and recalculates),
    // or, for a work that is not a milestone, cuts the successor links and
    // then the predecessor links as checked. Returns 1 when the network
    // changed.
    int32_t Confirm();
    // 取消: nothing changes.
    void Cancel();
};

// The delete tool's rubber band caught two or more works: asks "真的要删除吗?";
// Yes deletes them in selection order, realigns the node rows of the
// remaining works, recalculates and returns 1; No returns 0. The selection
// is cleared either way.
int32_t DeleteSelectedWorks(Tpertgra& net);
