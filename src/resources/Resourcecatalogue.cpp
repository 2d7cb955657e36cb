#include "resources/Resourcecatalogue.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

template <typename Net, typename F>
void ForEachWorkResource(Net& net, F f)
{
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            for (auto& r : w->data->resources) f(r);
}

}

std::vector<Trecsource> WorkResourceCatalogue(const Tpertgra& net)
{
    std::vector<Trecsource> list;
    std::set<std::string> seen;
    ForEachWorkResource(net, [&](const Trecsource& r) {
        if (seen.insert(r.number).second) list.push_back(r);
    });
    return list;
}

std::vector<Trecsource*> AllWorkResourceEntries(Tpertgra& net)
{
    std::vector<Trecsource*> list;
    ForEachWorkResource(net, [&](Trecsource& r) { list.push_back(&r); });
    return list;
}

std::vector<Trecsource*> EntriesForNumber(Tpertgra& net, const std::string& number)
{
    std::vector<Trecsource*> list;
    for (auto& day : net.customResourceDays)
        for (Trecsource* e = day.get(); e; e = e->next.get())
            if (e->number == number) list.push_back(e);
    ForEachWorkResource(net, [&](Trecsource& r) {
        if (r.number == number) list.push_back(&r);
    });
    return list;
}

std::vector<std::string> CustomNumbers(const Tpertgra& net)
{
    std::vector<std::string> list;
    std::set<std::string> seen;
    for (const auto& day : net.customResourceDays)
        if (day && seen.insert(day->number).second) list.push_back(day->number);
    return list;
}

void RecomputeAmounts(Tworkdata& data)
{
    const double d = data.duration;
    for (Trecsource& r : data.resources) {
        if (r.measureMode == 0) r.dailyAmount = d < 1e-9 ? 0.0f : float(r.totalAmount / d);
        else if (r.measureMode == 1) r.totalAmount = d * double(r.dailyAmount);
    }
}

double WorkResourceAmount(const Tworkdata& data, const std::string& number, int columnMode)
{
    for (const Trecsource& r : data.resources) {
        if (r.number != number) continue;
        double v = r.dailyAmount;
        if (columnMode == 1) v = double(data.duration) * double(r.dailyAmount);
        if (r.resourceKind == "人力资源" || r.resourceKind == "机具资源") v = std::ceil(v);
        return v;
    }
    return 0;
}

void RenameResource(Tpertgra& net, const std::string& number, const std::string& name)
{
    ForEachWorkResource(net, [&](Trecsource& r) {
        if (r.number == number) r.name = name;
    });
}

double TotalUsage(const Tpertgra& net, const std::string& number)
{
    double total = 0;
    ForEachWorkResource(net, [&](const Trecsource& r) {
        if (r.number == number) total += r.totalAmount;
    });
    return total;
}

double PeriodUsage(const Tpertgra& net, const std::string& number, double fromDay, double toDay)
{
    double total = 0;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            const double s = w->data->start;
            const double e = s + w->data->duration;
            const double overlap = std::min(e, toDay) - std::max(s, fromDay);
            if (overlap < 0) continue;
            for (const Trecsource& r : w->data->resources)
                if (r.number == number) total += double(r.dailyAmount) * overlap;
        }
    return total;
}

void DeleteCustomResource(Tpertgra& net, const std::string& number)
{
    for (auto& day : net.customResourceDays) {
        std::unique_ptr<Trecsource>* link = &day;
        while (*link) {
            if ((*link)->number == number) {
                std::unique_ptr<Trecsource> gone = std::move(*link);
                *link = std::move(gone->next);
            } else {
                link = &(*link)->next;
            }
        }
    }
}

void ResizeCustomDays(Tpertgra& net, size_t n)
{
    if (net.customResourceDays.size() < n) net.customResourceDays.resize(n);
}

const Trecsource* FindInDays(const std::vector<std::unique_ptr<Trecsource>>& days,
                             const std::string& number)
{
    for (const auto& day : days)
        for (const Trecsource* e = day.get(); e; e = e->next.get())
            if (e->number == number) return e;
    return nullptr;
}

bool CheckCustomNumber(const Tpertgra& net, const std::string& number)
{
    if (number.empty()) {
        ShowWarning("资源编号不能为空!");
        return false;
    }
    for (const Trecsource& r : WorkResourceCatalogue(net))
        if (r.number == number) {
            ShowWarning("该资源编号已被工作资源使用!");
            return false;
        }
    return true;
}

std::string NormalizeCustomNumber(const std::string& typed)
{
    std::string s = typed;
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (!s.empty() && s.front() != 'Z') s.insert(s.begin(), 'Z');
    return s;
}

void StoreCustomResource(Tpertgra& net, const TCustomResourceEntry& entry)
{
    // Whole days from the project start, truncated toward zero; both ends count.
    const int64_t d1 = (int64_t(entry.startDate) - net.projectStart) / 86400;
    const int64_t d2 = (int64_t(entry.endDate) - net.projectStart) / 86400;
    std::vector<Trecsource*> existing = EntriesForNumber(net, entry.number);
    std::string drawMode = existing.empty() ? "画直线" : Trecsource::DrawModeText(existing.front()->drawMode);
    for (size_t i = 0; i < net.customResourceDays.size(); ++i) {
        const bool inside = int64_t(i) >= d1 && int64_t(i) <= d2;
        bool found = false;
        for (Trecsource* e = net.customResourceDays[i].get(); e; e = e->next.get()) {
            if (e->number != entry.number) continue;
            found = true;
            e->name = entry.name;
            e->unit = entry.unit;
            if (inside) e->dailyAmount = entry.dailyAmount;
        }
        if (inside && !found) {
            auto e = std::make_unique<Trecsource>();
            e->number = entry.number;
            e->name = entry.name;
            e->unit = entry.unit;
            e->dailyAmount = entry.dailyAmount;
            e->SetDrawModeText(drawMode);
            e->next = std::move(net.customResourceDays[i]);
            net.customResourceDays[i] = std::move(e);
        }
    }
    if (std::find(net.shownResources.begin(), net.shownResources.end(), entry.number) ==
        net.shownResources.end())
        net.shownResources.push_back(entry.number);
}
