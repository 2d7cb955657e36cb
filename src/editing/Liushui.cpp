#include "editing/Liushui.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <utility>

#include "editing/Networkchecks.h"
#include "editing/Nodemerge.h"
#include "editing/Relayout.h"
#include "editing/Rowmove.h"
#include "editing/Selection.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"

bool IsFlowLineChain(const Tpertgra& net)
{
    if (net.nodes.empty()) return false;
    for (const auto& v : net.nodes) {
        const Tedge* w = v->firstWork;
        if (!w) continue;
        const Tworkdata& d = *w->data;
        if (d.IsDummy() || d.IsMilestone() || d.IsAuxiliary()) return false;
        if (w->nextWork || w->nextSegment || v->joint) return false;
    }
    return StartNodes(net).size() < 2 && EndNodes(net).size() < 2;
}

std::vector<Tedge*> OrderByStart(std::vector<Tedge*> works)
{
    // Insertion with the tolerance; the selections it orders are chains in
    // near order already, so it is close to one pass.
    for (size_t i = 1; i < works.size(); ++i)
        for (size_t j = i; j > 0 && works[j]->data->start < works[j - 1]->data->start - 1e-8; --j)
            std::swap(works[j], works[j - 1]);
    return works;
}

void AppendToNames(const std::vector<Tedge*>& works, const std::string& suffix)
{
    for (Tedge* w : works) w->data->name += suffix;
}

// ---- the row index ------------------------------------------------------------

TFlowLine::TFlowLine(Tpertgra& net) : net_(net), axis_(net)
{
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) rows_[w->row].push_back(w);
}

double TFlowLine::XOf(double t) const
{
    return axis_.XOfTime(CalendarDay(net_, t));
}

void TFlowLine::Index(Tedge* w)
{
    rows_[w->row].push_back(w);
}

// A work that leaves a row stays listed there until the row is next read in
// full; Occupied skips such entries.
void TFlowLine::SetRow(Tedge* w, int32_t row)
{
    if (w->row == row) return;
    w->row = row;
    Index(w);
}

std::vector<Tedge*>& TFlowLine::Row(int32_t r)
{
    std::vector<Tedge*>& list = rows_[r];
    list.erase(std::remove_if(list.begin(), list.end(), [r](const Tedge* w) { return w->row != r; }),
               list.end());
    std::unordered_set<const Tedge*> seen;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&seen](const Tedge* w) { return !seen.insert(w).second; }),
               list.end());
    return list;
}

bool TFlowLine::Occupied(int32_t row, double t1, double t2, const Tedge* except) const
{
    const auto it = rows_.find(row);
    if (it == rows_.end()) return false;
    double lo = std::min(t1, t2), hi = std::max(t1, t2);
    double a = -1, b = -1;   // drawn x of lo and hi, taken when first needed
    for (const Tedge* w : it->second) {
        if (w == except || w->row != row || !w->toNode || !w->fromNode) continue;
        const double f = w->fromNode->time, t = w->toNode->time;
        // x grows with time: a span that lies over [a, b] lies over [lo, hi]
        // in time too, so most works are passed over without their x.
        if (!(std::min(f, t) < hi && std::max(f, t) > lo)) continue;
        if (a < 0) {
            a = XOf(lo);
            b = XOf(hi);
        }
        if (XOf(f) < b && XOf(t) > a) return true;
    }
    return false;
}

// Some work on row r other than the excepted one lies over a work on r + 1:
// the spans of r + 1 sorted by their left end, with the running largest
// right end, answer each work of r by one search.
bool TFlowLine::RowLiesOverNext(int32_t r, const Tedge* excepted)
{
    const std::vector<Tedge*>& upper = Row(r);
    if (upper.empty()) return false;
    const std::vector<Tedge*>& lower = Row(r + 1);
    if (lower.empty()) return false;
    std::vector<std::pair<double, double>> spans;
    spans.reserve(lower.size());
    for (const Tedge* w : lower)
        if (w->fromNode && w->toNode) spans.emplace_back(XOf(w->fromNode->time), XOf(w->toNode->time));
    std::sort(spans.begin(), spans.end());
    std::vector<double> reach(spans.size());
    double m = -1e300;
    for (size_t i = 0; i < spans.size(); ++i) reach[i] = m = std::max(m, spans[i].second);
    for (const Tedge* w : upper) {
        if (w == excepted || !w->fromNode || !w->toNode) continue;
        double a = XOf(w->fromNode->time), b = XOf(w->toNode->time);
        if (a > b) std::swap(a, b);
        const auto end = std::lower_bound(spans.begin(), spans.end(), std::make_pair(b, -1e300));
        const size_t n = size_t(end - spans.begin());
        if (n > 0 && reach[n - 1] > a) return true;
    }
    return false;
}

void TFlowLine::PushRowDown(int32_t r, const Tedge* excepted)
{
    // The pushes a row makes reach down as long as each row lies over the
    // next; then those rows move down one each, the lowest first (the
    // recursion of the plain rule, without its depth).
    int32_t k = r;
    while (RowLiesOverNext(k, excepted)) ++k;
    for (int32_t j = k; j >= r; --j) {
        std::vector<Tedge*> moving = std::move(Row(j));
        rows_[j].clear();
        std::vector<Tedge*>& below = rows_[j + 1];
        for (Tedge* w : moving) {
            w->row = j + 1;
            below.push_back(w);
            RealignNodeRows(net_, w);
        }
    }
}

// ---- the operations ------------------------------------------------------------

std::vector<Tedge*> TFlowLine::AppendChainCopy(Tvertex* attach, int32_t row, const Tpertgra& templ)
{
    std::unique_ptr<Tpertgra> k = templ.Clone();
    std::vector<Tedge*> copies = k->AllWorks();
    // The copies are numbered after the plan's own works.
    int32_t lastNo = 0;
    for (const auto& v : net_.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) lastNo = std::max(lastNo, w->data->workNo);
    std::vector<Tvertex*> added;
    added.reserve(k->nodes.size());
    k->order.clear();
    k->selection.clear();
    k->nodePairs.clear();
    for (auto& v : k->nodes) {
        added.push_back(v.release());
        net_.AddNode(added.back());
    }
    k->nodes.clear();
    k.reset();
    net_.InvalidateWorkNumbers();

    std::vector<Tedge*> selected;
    for (Tvertex* v : added)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->data->workNo = ++lastNo;
            selected.push_back(w);
            Index(w);
        }
    OrderAsSelection(selected);
    net_.selection = selected;
    for (Tvertex* v : added)
        if (v->inCount == 0) MergeNodes(net_, v, attach);
    for (Tedge* w : net_.selection) RealignNodeRows(net_, w);
    net_.RecheckAuxiliaries();
    net_.Renumber();
    net_.SetNodeTime(attach, attach->time);
    net_.ComputeTimes();
    PlaceChainOnRow(copies, row);
    return copies;
}

void TFlowLine::PlaceChainOnRow(const std::vector<Tedge*>& list, int32_t row)
{
    if (list.empty()) return;
    const std::vector<Tedge*> works = OrderByStart(list);
    int32_t lo = works.front()->row, hi = lo;
    for (const Tedge* w : works) {
        lo = std::min(lo, w->row);
        hi = std::max(hi, w->row);
    }
    const int32_t span = hi - lo;
    for (Tedge* w : works) SetRow(w, row + span + 1);
    const Tedge* first = works.front();
    const double t1 = first->fromNode->time;
    const double t2 = works.back()->toNode->time;
    for (int32_t j = 0; j <= span; ++j)
        if (Occupied(row + j, t1, t2, first)) PushRowDown(row + j, nullptr);
    int32_t m = works.front()->row;
    for (const Tedge* w : works) m = std::min(m, w->row);
    for (Tedge* w : works) SetRow(w, std::max(0, w->row - (m - row)));
    for (Tedge* w : works) RealignNodeRows(net_, w);
}

Tedge* TFlowLine::InsertDummyAfter(Tedge* work, const Tworkdata& data)
{
    Tvertex* oldTo = work->toNode;
    auto* mid = new Tvertex;
    mid->time = work->fromNode->time + work->data->duration;
    mid->row = std::max(0, work->row);
    net_.AddNode(mid);
    work->toNode = mid;
    work->RefreshToNodeId();
    ++mid->inCount;
    --oldTo->inCount;
    net_.InvalidateStructure();
    auto* d = new Tedge;
    *d->data = data;
    net_.LinkWork(mid, oldTo, d);
    net_.PlaceWork(d, mid->time, data.duration);
    d->row = work->row;
    Index(d);
    return d;
}

std::vector<Tedge*> TFlowLine::AddFlowLayer(const std::vector<Tedge*>& previous,
                                            const std::vector<Tedge*>& templ, int32_t row,
                                            bool notLast)
{
    if (previous.empty() || templ.empty()) return {};
    const std::unique_ptr<Tpertgra> t = net_.BuildFromWorks(templ);
    std::vector<Tedge*> fresh = AppendChainCopy(previous.front()->toNode, row, *t);
    if (fresh.empty()) return fresh;
    Tworkdata dummy;
    dummy.kind = WorkKind::Dummy;
    dummy.duration = 0;
    if (notLast)
        for (size_t i = 0; i + 1 < fresh.size(); ++i) InsertDummyAfter(fresh[i], dummy);
    const int32_t r0 = std::min(previous.front()->row, fresh.front()->row);
    const int32_t r1 = std::max(previous.front()->row, fresh.front()->row);
    int32_t R = r0 + 1;
    const size_t inner = std::min(previous.size(), fresh.size());
    for (size_t i = 1; i + 1 < inner; ++i) {
        Tvertex* from = previous[i]->toNode;
        Tvertex* to = fresh[i]->fromNode;
        auto* link = new Tedge;
        *link->data = dummy;
        net_.LinkWork(from, to, link);
        Index(link);
        net_.SetNodeTime(from, from->time);
        const double t1 = from->time, t2 = to->time;
        for (int32_t j = r0; j < r1; ++j)
            if (!Occupied(j, t1, t2, link)) {
                R = j;
                break;
            }
        if (Occupied(R, t1, t2, link)) PushRowDown(R, link);
        SetRow(link, R);
    }
    MergeNodes(net_, previous.back()->toNode, fresh.back()->fromNode);
    net_.Renumber();
    net_.TimeOrder();
    return fresh;
}

// ---- the generation ------------------------------------------------------------

namespace {

bool IsWholeNumberText(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// The works of the set in the order AllWorks gives them.
std::vector<Tedge*> InPlanOrder(const Tpertgra& net, const std::unordered_set<const Tedge*>& set)
{
    std::vector<Tedge*> out;
    out.reserve(set.size());
    for (Tedge* w : net.AllWorks())
        if (set.count(w)) out.push_back(w);
    return out;
}

}  // namespace

void GenerateFlowLine(Tpertgra& net, const std::vector<Tedge*>& chain, int32_t layers,
                      int32_t sections, bool names, bool up)
{
    std::vector<Tedge*> r = OrderByStart(chain);
    if (!r.empty()) {
        const std::unique_ptr<Tpertgra> c = net.BuildFromWorks(r);
        TFlowLine flow(net);
        // Sections: the chain and its copies, and nothing else of the plan,
        // make the first layer (the whole plan would copy every other work).
        if (sections > 1 && names) AppendToNames(r, "1");
        std::unordered_set<const Tedge*> layer(r.begin(), r.end());
        for (int32_t k = 2; k <= sections; ++k) {
            Tedge* w = r.back();
            const std::vector<Tedge*> copies = flow.AppendChainCopy(w->toNode, w->row, *c);
            if (names) AppendToNames(copies, std::to_string(k));
            layer.insert(copies.begin(), copies.end());
            r = InPlanOrder(net, layer);
        }
        std::vector<Tedge*> b = r;
        auto rowOf = [&] { return up ? 0 : b.front()->row + 1; };
        for (int32_t i = 1; i <= layers - 2; ++i) {
            b = flow.AddFlowLayer(b, r, rowOf(), true);
            if (b.empty()) break;
            if (names) AppendToNames(b, sections <= 1 ? std::to_string(i + 1) : "-" + std::to_string(i + 1));
        }
        if (layers > 1 && !b.empty()) {
            b = flow.AddFlowLayer(b, r, rowOf(), false);
            if (names) {
                const std::string n = std::to_string(layers);
                AppendToNames(b, sections < 2 ? n : "-" + n);
                AppendToNames(r, sections < 2 ? "1" : "-1");
            }
        }
    }
    ClearSelection(net);
    net.Recalculate();
    LayoutNetwork(net);
}

bool TLiushuiset::Confirm()
{
    if (!network) return false;
    const std::vector<Tedge*> chain = OrderByStart(network->selection);
    if (chain.size() <= 1) return false;
    if (!IsFlowLineChain(*network->BuildFromWorks(chain))) {
        ShowWarning("不能生成流水！");
        return false;
    }
    if (!IsWholeNumberText(liushuicengnumedit) || !IsWholeNumberText(liushuiduannumedit)) {
        ShowWarning("请输入正整数！");
        return false;
    }
    // The texts hold at most two digits in the dialog; a longer one is held
    // to what the box allows.
    auto count = [](const std::string& s) { return int32_t(std::stol(s.size() > 2 ? "99" : s)); };
    GenerateFlowLine(*network, chain, count(liushuicengnumedit), count(liushuiduannumedit),
                     chkcengduanname, liushuifxrgp == 0);
    return true;
}

namespace {

class CancellingLiushuiDialog : public ILiushuiDialog {
public:
    bool Show(TLiushuiset&) override { return false; }
};

CancellingLiushuiDialog cancelling;
ILiushuiDialog* bound = nullptr;

}  // namespace

ILiushuiDialog& LiushuiDialog()
{
    return bound ? *bound : cancelling;
}

void SetLiushuiDialog(ILiushuiDialog* dialog)
{
    bound = dialog;
}
