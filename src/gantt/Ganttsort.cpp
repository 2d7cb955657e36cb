#include "gantt/Ganttsort.h"

#include <algorithm>
#include <vector>

#include "model/Pertgra.h"

namespace {

constexpr double kSameStart = 1e-8;

void Number(Tpertgra& net, const std::vector<Tedge*>& order)
{
    for (size_t i = 0; i < order.size(); ++i) order[i]->data->workNo = int32_t(i + 1);
    net.InvalidateWorkNumbers();
}

// The insertion moves nothing when no work starts more than 1e-8 before an
// earlier one: then the running maximum of the starts never lies more than
// 1e-8 above a later start. AllWorks gives such an order whenever its
// starts fall into clean groups; only otherwise the insertion itself runs.
bool SortedWithinTolerance(const std::vector<Tedge*>& works)
{
    double highest = -1e300;
    for (const Tedge* w : works) {
        const double s = w->data->start;
        if (highest - s > kSameStart) return false;
        highest = std::max(highest, s);
    }
    return true;
}

void InsertionByStart(std::vector<Tedge*>& works)
{
    for (size_t i = 1; i < works.size(); ++i) {
        Tedge* w = works[i];
        size_t j = i;
        while (j > 0 && double(works[j - 1]->data->start) - w->data->start > kSameStart) {
            works[j] = works[j - 1];
            --j;
        }
        works[j] = w;
    }
}

}  // namespace

void SortByStart(Tpertgra& net)
{
    std::vector<Tedge*> works = net.AllWorks();
    if (!SortedWithinTolerance(works)) InsertionByStart(works);
    Number(net, works);
}

void SortByGroup(Tpertgra& net)
{
    std::vector<Tedge*> works = net.AllWorks();
    std::stable_sort(works.begin(), works.end(), [](const Tedge* a, const Tedge* b) {
        return a->data->groupNo < b->data->groupNo;
    });
    Number(net, works);
}
