#include "editing/Timedic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_set>
#include <utility>

#include "model/Pertgra.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

int32_t TruncDays(double v)
{
    if (!(v > 0)) return 0;   // NaN and negatives
    if (v >= 2147483647.0) return 2147483647;
    return int32_t(v);
}

// A whole text that is a finite number.
bool ParseNumber(const std::string& text, float& out)
{
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v)) return false;
    out = float(v);
    return true;
}

// The last node reached from `from` by always taking the first leaving
// work; a node met before ends the walk (a loop).
const Tvertex* LastByFirstWorks(const Tvertex* from)
{
    std::unordered_set<const Tvertex*> seen;
    const Tvertex* v = from;
    while (v && v->firstWork && v->firstWork->toNode && seen.insert(v).second)
        v = v->firstWork->toNode;
    return v;
}

}  // namespace

struct TTimedic::Saved {
    std::vector<std::pair<Tvertex*, float>> nodeTimes;
    std::vector<std::pair<Tedge*, std::pair<float, float>>> workTimes;
    bool modified = false;
};

TTimedic::TTimedic(Tpertgra* net, Tedge* w) : network(net), work(w), saved_(std::make_unique<Saved>())
{
    if (!network || !work || !work->fromNode) return;
    network->TimeOrder();
    saved_->modified = network->modified;
    for (const auto& v : network->nodes) {
        saved_->nodeTimes.emplace_back(v.get(), v->time);
        for (Tedge* e = v->firstWork; e; e = e->nextWork)
            saved_->workTimes.push_back({e, {e->data->start, e->data->duration}});
    }
    savedStart = work->data->start;
    savedDuration = work->data->duration;
    worknameedit = work->data->name;
    diceditgbx = work->data->name + kCaption;
    workduredit = GeneralNumberText(work->data->duration);
    const float from = work->fromNode->time;
    leftdicedit = GeneralNumberText(work->data->start - from);
    rightdicedit = GeneralNumberText(work->data->ls - work->data->start);
    scrollMax = TruncDays(double(work->data->ls) - from);
    scrollPos = std::min(scrollMax, TruncDays(double(work->data->start) - from));
    ShowDates();
}

TTimedic::~TTimedic() = default;

void TTimedic::ShowDates()
{
    const Tworkdata& d = *work->data;
    // The same dates as the work dialog's: the finish on the day the last
    // part of the work lies in, never before the start.
    auto pair = [&](float s, double& start, double& finish) {
        start = StartDateOfTime(*network, s);
        finish = FinishDateOfTime(*network, s, d.duration);
    };
    pair(d.start, planStart, planFinish);
    pair(d.es, esStart, esFinish);
    pair(d.ls, lsStart, lsFinish);
}

void TTimedic::ScrollTo(int32_t pos)
{
    if (!work) return;
    scrollPos = std::clamp(pos, 0, scrollMax);
    rightdicedit = std::to_string(scrollMax - scrollPos);
    Apply();
}

void TTimedic::UpDownTo(int32_t pos)
{
    if (!work) return;
    scrollPos = std::clamp(pos, 0, scrollMax);
    rightdicedit = std::to_string(scrollMax - scrollPos);
    Apply();
}

void TTimedic::DurationEdited(const std::string& text)
{
    if (!work) return;
    workduredit = text;
    Apply();
}

void TTimedic::RestoreTimes()
{
    // Nodes first, then the works at them, as they stood at opening.
    for (auto& [v, t] : saved_->nodeTimes) v->time = t;
    for (auto& [e, sd] : saved_->workTimes) {
        e->data->start = sd.first;
        e->data->duration = sd.second;
    }
}

void TTimedic::Apply()
{
    float duration = 0;
    if (!ParseNumber(workduredit, duration)) return;   // no number: nothing applied
    float start = 0;
    const float from = [&] {
        for (auto& [v, t] : saved_->nodeTimes)
            if (v == work->fromNode) return t;
        return work->fromNode->time;
    }();
    if (scrollPos >= scrollMax) {
        const Tvertex* last = LastByFirstWorks(work->toNode);
        if (!last || !last->critical) return;
        start = work->data->ls;
    } else {
        start = from + float(scrollPos);
    }
    RestoreTimes();
    network->PlaceWork(work, start, duration);
    workduredit = GeneralNumberText(work->data->duration);
    leftdicedit = GeneralNumberText(work->data->start - work->fromNode->time);
    ShowDates();
    if (refresh) refresh();
}

void TTimedic::Confirm()
{
    confirmed = true;
}

void TTimedic::Restore()
{
    if (!work) return;
    RestoreTimes();
    network->modified = saved_->modified;
    if (refresh) refresh();
}

namespace {

class CancellingTimedicDialog : public ITimedicDialog {
public:
    bool Show(TTimedic&) override { return false; }
};

CancellingTimedicDialog cancelling;
ITimedicDialog* bound = nullptr;

}  // namespace

ITimedicDialog& TimedicDialog()
{
    return bound ? *bound : cancelling;
}

void SetTimedicDialog(ITimedicDialog* dialog)
{
    bound = dialog;
}

int32_t OpenTimedicDialog(Tpertgra& net, Tedge* work)
{
    if (!work || !work->fromNode) return 0;
    TTimedic state(&net, work);
    state.refresh = TimedicDialog().Refresher();
    if (!TimedicDialog().Show(state) || !state.confirmed) {
        state.Restore();
        return 0;
    }
    net.Recalculate();
    return 1;
}

void OffsetTimeLabel(Tedge* work, int32_t dx, int32_t dy)
{
    if (!work) return;
    work->labelDx += dx;
    work->labelDy += dy;
}
