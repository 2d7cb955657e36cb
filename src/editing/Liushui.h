#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "drawing/Timeaxis.h"

class Tpertgra;
class Tvertex;
class Tedge;
class Tworkdata;

// Flow lines: a chain of works repeated end to end (sections) and on rows of
// their own (layers), each work of a layer tied by a dummy to the same work
// of the layer before, so that it cannot start before that one finished.

// The network is one simple path of real works: every node with leaving
// works has exactly one, which is no dummy, milestone or auxiliary work and
// no segment followed by another, and starts at no joint; at most one start
// and one end node. False for a network without nodes.
bool IsFlowLineChain(const Tpertgra& net);

// The works ordered by start: a work moves ahead of the one before it only
// when its start is smaller by more than 1e-8, so equal starts keep their
// order.
std::vector<Tedge*> OrderByStart(std::vector<Tedge*> works);

// Every work's name gets the suffix.
void AppendToNames(const std::vector<Tedge*>& works, const std::string& suffix);

// The network operations of a flow line. They keep an index of the works
// on each row, so the row tests of one generation never scan the whole plan;
// every row change of a work made while one lives must go through it.
class TFlowLine {
public:
    explicit TFlowLine(Tpertgra& net);

    // A copy of the template network attached at the node: the copy's start
    // nodes are merged into it, the copies placed from its time, numbered
    // after the plan's works and laid on one row `row`. The copies, ordered
    // by start.
    std::vector<Tedge*> AppendChainCopy(Tvertex* attach, int32_t row, const Tpertgra& templ);
    // Flattens the works onto the one row `row`, pushing down whatever lies
    // on the rows they come to over their span.
    void PlaceChainOnRow(const std::vector<Tedge*>& works, int32_t row);
    // Moves the works on row r down one row; where a work on r (other than
    // the excepted one) would lie over a work on r + 1, row r + 1 is pushed
    // down first, and so on down the rows.
    void PushRowDown(int32_t r, const Tedge* excepted);
    // A new layer copying the template, starting where the previous layer's
    // first work ends, on row `row`; its inner works wait for the works of
    // the previous layer by dummies, and the last works are joined by a
    // node merge. notLast: every new work but the last is followed by a
    // dummy, so that the next layer can wait for its finish alone.
    std::vector<Tedge*> AddFlowLayer(const std::vector<Tedge*>& previous,
                                     const std::vector<Tedge*>& templ, int32_t row, bool notLast);
    // The work now ends at a new node at its finish, from which a new work
    // with the data leads to the old end node, on the work's row.
    Tedge* InsertDummyAfter(Tedge* work, const Tworkdata& data);

    // Another work than `except` lies on the row over the span [t1, t2] of
    // working time (touching does not count), as the editing occupancy test.
    bool Occupied(int32_t row, double t1, double t2, const Tedge* except) const;

private:
    void SetRow(Tedge* w, int32_t row);
    void Index(Tedge* w);
    // The works on row r, each once (the index drops what has left the row).
    std::vector<Tedge*>& Row(int32_t r);
    bool RowLiesOverNext(int32_t r, const Tedge* excepted);
    double XOf(double t) const;

    Tpertgra& net_;
    TTimeAxis axis_;
    std::unordered_map<int32_t, std::vector<Tedge*>> rows_;
};

// The working state of the dialog "参数设置" of the flow-line tool. The
// dialog window binds its fields to the members of the same names.
class TLiushuiset {
public:
    static constexpr const char* kCaption = "参数设置";

    Tpertgra* network = nullptr;
    std::string liushuicengnumedit = "9";   // layers
    std::string liushuiduannumedit = "1";   // sections
    bool chkcengduanname = true;            // 加入层段名
    int32_t liushuifxrgp = 1;               // 0 向上, 1 向下

    explicit TLiushuiset(Tpertgra* net) : network(net) {}

    // 确定: generates the flow line from the selected chain and answers true;
    // false (the dialog stays) for a selection of one work or none, a
    // selection that is no chain ("不能生成流水！") and counts that are not
    // whole numbers ("请输入正整数！"). Nothing changes before these checks.
    bool Confirm();
};

// The generation itself: S sections, L layers, with the layer and section
// numbers appended to the names when `names`, new layers above (up) or below
// the first. The selection is cleared, the plan recalculated and laid out.
void GenerateFlowLine(Tpertgra& net, const std::vector<Tedge*>& chain, int32_t layers,
                      int32_t sections, bool names, bool up);

// Shows "参数设置" for the flow-line tool: the desktop program binds the real
// dialog, tests their own. Show is modal and answers true for 确定.
class ILiushuiDialog {
public:
    virtual ~ILiushuiDialog() = default;
    virtual bool Show(TLiushuiset& state) = 0;
};

ILiushuiDialog& LiushuiDialog();
// Binds the dialog (not owned); null restores the one that cancels at once.
void SetLiushuiDialog(ILiushuiDialog* dialog);
