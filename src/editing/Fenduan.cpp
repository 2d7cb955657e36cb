#include "editing/Fenduan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <unordered_map>
#include <utility>

#include "editing/Workdelete.h"
#include "editing/Workinsert.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

// The times of every node and work before a segment edit. The placement
// rules the edit goes through move the pair's end node away and back, which
// would shift later works planned inside their float; afterwards every node
// and work outside the pair gets its time back, and only what the pair then
// pushes later moves.
class TPlanTimes {
public:
    explicit TPlanTimes(const Tpertgra& net)
    {
        for (const auto& v : net.nodes) {
            nodes_.emplace(v.get(), v->time);
            for (const Tedge* w = v->firstWork; w; w = w->nextWork)
                works_.emplace(w, std::make_pair(w->data->start, w->data->duration));
        }
    }
    // Only nodes and works still in the plan are touched: the edit deletes
    // objects but creates none of its own kind after it deleted some, so no
    // address of a gone object stands for a new one.
    void RestoreExcept(Tpertgra& net, std::initializer_list<const Tedge*> keepWorks,
                       std::initializer_list<const Tvertex*> keepNodes) const
    {
        auto kept = [](auto list, const auto* p) { return std::find(list.begin(), list.end(), p) != list.end(); };
        for (const auto& v : net.nodes) {
            if (!kept(keepNodes, v.get())) {
                const auto n = nodes_.find(v.get());
                if (n != nodes_.end()) v->time = n->second;
            }
            for (Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (kept(keepWorks, w)) continue;
                const auto e = works_.find(w);
                if (e == works_.end()) continue;
                w->data->start = e->second.first;
                w->data->duration = e->second.second;
            }
        }
        net.InvalidateStructure();
    }

private:
    std::unordered_map<const Tvertex*, float> nodes_;
    std::unordered_map<const Tedge*, std::pair<float, float>> works_;
};

bool IsPart(float v)
{
    return v > 0 && std::isfinite(v);
}

// The work's end node moves later when the work now finishes after it.
void PushEndLater(Tpertgra& net, Tedge* work)
{
    if (!work->toNode || work->data->IsDummy() || work->data->IsMilestone()) return;
    const float finish = work->PlannedFinish();
    if (finish > work->toNode->time) net.SetNodeTime(work->toNode, finish);
}

}  // namespace

int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g)
{
    if (!work || !work->fromNode || !work->toNode || work->nextSegment) return 0;
    const Tworkdata& d = *work->data;
    if (d.IsAuxiliary() || d.IsDummy() || d.IsMilestone()) return 0;
    if (!IsPart(f) || !IsPart(g)) return 0;
    const TPlanTimes before(net);
    net.MoveWorkStart(work, work->fromNode->time);
    net.ChangeDuration(work, f);
    net.Renumber();
    net.ComputeTimes();
    Tworkdata data = *work->data;
    data.duration = g;
    data.name.clear();
    Tedge* second = InsertWorkAfter(net, data, work);
    if (!second) return 0;
    second->isContinuation = true;
    Tvertex* joint = work->toNode;
    joint->joint = true;
    work->nextSegment = joint->firstWork;
    before.RestoreExcept(net, {work, second}, {joint});
    // The joint places what leaves it; the second segment pushes its end on.
    net.SetNodeTime(joint, joint->time);
    net.Renumber();
    net.ComputeTimes();
    return 1;
}

int32_t EditSegments(Tpertgra& net, Tedge* work, TSegmentEdit edit, float f, float g)
{
    if (!work || !work->nextSegment || !work->toNode) return 0;
    Tedge* next = work->nextSegment;
    Tvertex* joint = work->toNode;
    switch (edit) {
    case TSegmentEdit::Separate:
        // Only the pair comes apart; a segment before or after it stays linked.
        work->nextSegment = nullptr;
        next->isContinuation = false;
        joint->joint = false;
        break;
    case TSegmentEdit::Divide: {
        if (!IsPart(f) || !IsPart(g)) return 0;
        const TPlanTimes before(net);
        net.PlaceWork(work, work->data->start, f);
        net.PlaceWork(next, next->data->start, g);
        before.RestoreExcept(net, {work, next}, {joint});
        net.SetNodeTime(joint, joint->time);
        break;
    }
    case TSegmentEdit::Merge: {
        const TPlanTimes before(net);
        const float s = work->data->start;
        const float total = work->data->duration + next->data->duration;
        Tedge* after = next->nextSegment;
        work->nextSegment = nullptr;
        next->isContinuation = false;
        next->nextSegment = nullptr;
        joint->joint = false;
        DeleteWork(net, next);
        net.PlaceWork(work, s, total);
        // The merged work continues into the segment that followed the pair.
        if (after && work->toNode == after->fromNode) {
            work->nextSegment = after;
        } else if (after) {
            after->isContinuation = false;
            if (after->fromNode) after->fromNode->joint = false;
        }
        before.RestoreExcept(net, {work}, {});
        PushEndLater(net, work);
        break;
    }
    }
    net.Recalculate();
    return 1;
}

namespace {

int32_t Whole(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    return int32_t(v);
}

// A duration the fields can show: not-finite or negative counts as 0.
float Total(float d)
{
    return d > 0 && std::isfinite(d) ? d : 0.0f;
}

}  // namespace

TFenduan::TFenduan(Tpertgra* net, Tedge* w, double pressTime) : network(net), work(w)
{
    if (!network || !work) return;
    s_ = work->data->start;
    total_ = Total(work->data->duration);
    worknameedit = work->data->name;
    double n = std::trunc(pressTime - s_);
    if (!(n > 0)) n = 0;
    if (n > total_) n = std::trunc(total_);
    double f0 = std::trunc(pressTime) - std::trunc(double(s_));
    if (!(f0 > 0)) f0 = 0;
    f0_ = float(std::min(f0, double(total_)));
    firstedgeduredit = std::to_string(Whole(n));
    secondedgeduredit = GeneralNumberText(total_ - n);
    scrollMax = Whole(total_);
    scrollPos = Whole(n);
    workstarttimedt = StartDateOfTime(*network, s_);
    workendtimedt = FinishDateOfTime(*network, s_, total_);
    dtpfenduantime = StartDateOfTime(*network, std::max(double(s_), pressTime));
    workduredit = GeneralNumberText(total_);
}

TFenduan TFenduan::ForSegments(Tpertgra* net, Tedge* w)
{
    TFenduan f;
    f.network = net;
    f.work = w;
    f.mode = 'e';
    if (!net || !w || !w->nextSegment) return f;
    const float d1 = Total(w->data->duration);
    const float d2 = Total(w->nextSegment->data->duration);
    f.s_ = w->data->start;
    f.total_ = d1 + d2;
    f.f0_ = d1;
    f.worknameedit = w->data->name;
    f.firstedgeduredit = GeneralNumberText(d1);
    f.secondedgeduredit = GeneralNumberText(d2);
    f.scrollMax = Whole(f.total_);
    f.scrollPos = Whole(d1);
    f.workstarttimedt = StartDateOfTime(*net, f.s_);
    f.workendtimedt = FinishDateOfTime(*net, f.s_, f.total_);
    f.dtpfenduantime = StartDateOfTime(*net, double(f.s_) + d1);
    f.workduredit = GeneralNumberText(f.total_);
    return f;
}

void TFenduan::ScrollTo(int32_t pos)
{
    scrollPos = std::clamp(pos, 0, scrollMax);
    firstedgeduredit = std::to_string(scrollPos);
    secondedgeduredit = GeneralNumberText(total_ - scrollPos);
    dtpfenduantime = StartDateOfTime(*network, double(s_) + scrollPos);
}

void TFenduan::ShowSplit(float first)
{
    firstedgeduredit = GeneralNumberText(first);
    secondedgeduredit = GeneralNumberText(total_ - first);
    scrollPos = std::clamp(Whole(first), 0, scrollMax);
}

void TFenduan::Edited(const std::string& input, bool first)
{
    std::string text = input.empty() ? "0" : input;
    (first ? firstedgeduredit : secondedgeduredit) = text;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    const bool digits = text.find_first_not_of("0123456789.") == std::string::npos;
    // Digits and points that make no number ("1.2.3", ".") count as no number.
    if (!digits || end != text.c_str() + text.size() || !std::isfinite(v)) {
        ShowPlain("请输入数字");
        ShowSplit(f0_);
        return;
    }
    if (v > total_) {
        ShowPlain("此值不能大于持续时间");
        ShowSplit(f0_);
        return;
    }
    if (first) {
        secondedgeduredit = GeneralNumberText(total_ - v);
        scrollPos = std::clamp(Whole(v), 0, scrollMax);
    } else {
        firstedgeduredit = GeneralNumberText(total_ - v);
        scrollPos = std::clamp(Whole(total_ - v), 0, scrollMax);
    }
}

void TFenduan::FirstEdited(const std::string& text)
{
    Edited(text, true);
}

void TFenduan::SecondEdited(const std::string& text)
{
    Edited(text, false);
}

bool TFenduan::Confirm()
{
    if (firstedgeduredit == "0") {
        ShowWarning("前段工作时间不能为0!");
        return false;
    }
    if (secondedgeduredit == "0") {
        ShowWarning("后段工作时间不能为0!");
        return false;
    }
    const float f = float(std::strtod(firstedgeduredit.c_str(), nullptr));
    const float g = float(std::strtod(secondedgeduredit.c_str(), nullptr));
    if (mode == 'e') return EditSegments(*network, work, editselectbox, f, g) == 1;
    return SplitWork(*network, work, f, g) == 1;
}

namespace {

class CancellingFenduanDialog : public IFenduanDialog {
public:
    bool Show(TFenduan&) override { return false; }
};

CancellingFenduanDialog cancelling;
IFenduanDialog* bound = nullptr;

}  // namespace

IFenduanDialog& FenduanDialog()
{
    return bound ? *bound : cancelling;
}

void SetFenduanDialog(IFenduanDialog* dialog)
{
    bound = dialog;
}
