#include "resources/Resourcelines.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "resources/Resourcecatalogue.h"

namespace {

// Empty or unreadable boxes count as 0.
double Value(const std::string& text)
{
    double v = 0;
    const char* end = text.data() + text.size();
    auto res = std::from_chars(text.data(), end, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(v)) return 0;
    return v;
}

bool IsCustomNumber(const Tpertgra& net, const std::string& number)
{
    for (const auto& day : net.customResourceDays)
        for (const Trecsource* e = day.get(); e; e = e->next.get())
            if (e->number == number) return true;
    return false;
}

}

std::string GeneralNumberText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

TWorkResourceLines TWorkResourceLines::FromWork(const Tworkdata& data)
{
    TWorkResourceLines page;
    for (const Trecsource& r : data.resources) {
        TResourceLine l;
        l.number = r.number;
        l.name = r.name;
        l.daily = GeneralNumberText(r.dailyAmount);
        l.total = GeneralNumberText(r.totalAmount);
        l.measure = Trecsource::MeasureModeText(r.measureMode);
        l.unit = r.unit;
        l.price = GeneralNumberText(r.price);
        l.costValue = double(r.price) * double(r.dailyAmount) * double(data.duration);
        l.cost = GeneralNumberText(l.costValue);
        l.kind = r.resourceKind;
        l.dailyValue = r.dailyAmount;
        l.totalValue = r.totalAmount;
        l.priceValue = r.price;
        page.lines.push_back(l);
    }
    return page;
}

TResourceLine TWorkResourceLines::MakeLine(const TResourceInput& in, const std::string& durationText)
{
    // The zero guard tests the parsed duration, so "0.0" counts as zero too.
    const double duration = Value(durationText);
    double daily, total;
    if (in.measure == "平均用量") {
        daily = Value(in.daily);
        total = daily * duration;
    } else {
        total = Value(in.total);
        daily = duration == 0 ? 0.0 : total / duration;
    }
    const double price = Value(in.price);
    TResourceLine l;
    l.number = in.number;
    l.name = in.name;
    l.daily = GeneralNumberText(daily);
    l.total = GeneralNumberText(total);
    l.measure = in.measure == "平均用量" ? "平均用量" : "总量";
    l.unit = in.unit;
    l.price = GeneralNumberText(price);
    l.cost = GeneralNumberText(price * daily * duration);
    l.kind = in.kind;
    l.dailyValue = daily;
    l.totalValue = total;
    l.priceValue = price;
    l.costValue = price * daily * duration;
    return l;
}

bool TWorkResourceLines::Add(const Tpertgra& net, const TResourceInput& in,
                             const std::string& workKind, const std::string& durationText)
{
    if (workKind == WorkKind::Dummy || workKind == WorkKind::Milestone) {
        ShowWarning("该工作不能添加工作!");
        return false;
    }
    if (in.number.empty()) {
        ShowWarning("资源编号不能为空!");
        return false;
    }
    for (const TResourceLine& l : lines)
        if (l.number == in.number) {
            ShowPlain("此资源已存在");
            return false;
        }
    if (IsCustomNumber(net, in.number)) {
        ShowWarning("该资源编号为自定义资源使用!");
        return false;
    }
    lines.push_back(MakeLine(in, durationText));
    return true;
}

bool TWorkResourceLines::Modify(const TResourceInput& in, int selected, const std::string& durationText)
{
    if (in.number.empty()) {
        ShowWarning("资源编号不能为空!");
        return false;
    }
    if (lines.empty()) return false;
    if (selected < 0 || size_t(selected) >= lines.size()) {
        ShowWarning("请先选择要修改的资源!");
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (int(i) != selected && lines[i].number == in.number) {
            ShowWarning("此资源已存在!");
            return false;
        }
    lines[size_t(selected)] = MakeLine(in, durationText);
    return true;
}

bool TWorkResourceLines::Remove(int selected)
{
    if (selected < 0 || size_t(selected) >= lines.size()) return false;
    lines.erase(lines.begin() + selected);
    return true;
}

void TWorkResourceLines::ApplyTo(Tpertgra& net, Tworkdata& data) const
{
    data.resources.clear();
    for (const TResourceLine& l : lines) {
        Trecsource r;
        r.number = l.number;
        r.name = l.name;
        r.dailyAmount = float(l.dailyValue);
        r.totalAmount = l.totalValue;
        r.measureMode = l.measure == "平均用量" ? 1 : 0;
        r.unit = l.unit;
        r.price = float(l.priceValue);
        r.resourceKind = l.kind;
        r.startDay = data.start;
        r.endDay = data.start + data.duration;
        data.resources.push_back(r);
    }
    for (const TResourceLine& l : lines) RenameResource(net, l.number, l.name);
}

double TWorkResourceLines::TotalCost() const
{
    double sum = 0;
    for (const TResourceLine& l : lines) sum += l.costValue;
    return sum;
}
