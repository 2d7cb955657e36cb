#include "editing/Fenduan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editing/Workinsert.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

int32_t SplitWork(Tpertgra& net, Tedge* work, float f, float g)
{
    if (!work || !work->fromNode || work->nextSegment || work->data->IsAuxiliary()) return 0;
    if (!(f > 0) || !(g > 0) || !std::isfinite(f) || !std::isfinite(g)) return 0;
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
    work->toNode->joint = true;
    work->nextSegment = work->toNode->firstWork;
    return 1;
}

namespace {

int32_t Whole(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    return int32_t(v);
}

double StartDate(const Tpertgra& net, double t)
{
    return DateOfDay(net, CalendarDay(net, t));
}

}  // namespace

TFenduan::TFenduan(Tpertgra* net, Tedge* w, double pressTime) : network(net), work(w)
{
    if (!network || !work) return;
    s_ = work->data->start;
    total_ = work->data->duration;
    worknameedit = work->data->name;
    double n = std::trunc(pressTime - s_);
    if (!(n > 0)) n = 0;
    if (n > total_) n = std::trunc(total_);
    f0_ = float(std::clamp(std::trunc(pressTime) - std::trunc(double(s_)), 0.0, double(total_)));
    firstedgeduredit = std::to_string(Whole(n));
    secondedgeduredit = GeneralNumberText(total_ - n);
    scrollMax = Whole(total_);
    scrollPos = Whole(n);
    workstarttimedt = StartDate(*network, s_);
    const double cs = CalendarDay(*network, s_);
    workendtimedt = DateOfDay(*network, std::max(cs, CalendarDayOfFinish(*network, double(s_) + total_ - 1)));
    dtpfenduantime = StartDate(*network, std::max(double(s_), pressTime));
    workduredit = GeneralNumberText(total_);
}

void TFenduan::ScrollTo(int32_t pos)
{
    scrollPos = std::clamp(pos, 0, scrollMax);
    firstedgeduredit = std::to_string(scrollPos);
    secondedgeduredit = GeneralNumberText(total_ - scrollPos);
    dtpfenduantime = StartDate(*network, double(s_) + scrollPos);
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
