#include "model/Sortbytime.h"

#include <algorithm>

#include "model/Vertex.h"

void SortByTime(std::vector<Tvertex*>& list)
{
    const size_t n = list.size();
    if (n < 2) return;
    auto before = [](const Tvertex* a, const Tvertex* b) {
        return double(b->time) - double(a->time) > 1e-8;
    };
    std::vector<Tvertex*> buf(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) buf[k++] = before(list[j], list[i]) ? list[j++] : list[i++];
            while (i < mid) buf[k++] = list[i++];
            while (j < hi) buf[k++] = list[j++];
        }
        list.swap(buf);
    }
}
