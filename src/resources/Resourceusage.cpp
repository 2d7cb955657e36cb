#include "resources/Resourceusage.h"

#include <algorithm>
#include <cstdio>

#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

std::string FloatText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

void Tresourceusage::Load(const Tpertgra& net)
{
    rows.clear();
    for (const Trecsource& r : WorkResourceCatalogue(net)) rows.push_back({r.number, r.name, r.unit});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TRow& a, const TRow& b) { return a.number < b.number; });
    startDate = endDate = net.projectStart;
    totalText.clear();
    periodText.clear();
    ratioText.clear();
}

void Tresourceusage::Select(const Tpertgra& net, int selected)
{
    if (selected < 0 || size_t(selected) >= rows.size()) return;
    totalText = GeneralNumberText(TotalUsage(net, rows[size_t(selected)].number));
}

bool Tresourceusage::Compute(const Tpertgra& net, int selected)
{
    if (selected < 0 || size_t(selected) >= rows.size()) {
        ShowWarning("选择要显示的资源！");
        return false;
    }
    const std::string& number = rows[size_t(selected)].number;
    // The dates are calendar days; the works' usage runs on working time.
    const double from = (double(startDate) - net.projectStart) / 86400.0;
    const double to = (double(endDate) - net.projectStart) / 86400.0 + 1;
    const double period = PeriodUsage(net, number, WorkingTime(net, from), WorkingTime(net, to));
    const double total = TotalUsage(net, number);
    totalText = GeneralNumberText(total);
    periodText = GeneralNumberText(period);
    ratioText = total == 0 ? "0" : FloatText(period / total);
    return true;
}
