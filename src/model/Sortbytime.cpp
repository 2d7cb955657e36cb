#include "model/Sortbytime.h"

#include <algorithm>

#include "model/Vertex.h"

void SortByTime(std::vector<Tvertex*>& list)
{
    TTimeSortScratch scratch;
    SortByTime(list, scratch);
}

void SortByTime(std::vector<Tvertex*>& list, TTimeSortScratch& scratch)
{
    const size_t n = list.size();
    if (n < 2) return;
    // Sort (time, node) pairs held side by side, not pointers that each
    // comparison would have to follow into the nodes.
    using Key = TTimeSortScratch::Key;
    std::vector<Key>& keys = scratch.keys;
    std::vector<Key>& buf = scratch.buf;
    keys.resize(n);
    buf.resize(n);
    bool sorted = true;
    for (size_t i = 0; i < n; ++i) {
        // The nodes lie apart on the heap: their times are asked for ahead.
        if (i + 16 < n) __builtin_prefetch(list[i + 16], 0);
        keys[i] = {double(list[i]->time), list[i]};
        if (i > 0 && keys[i - 1].time > keys[i].time) sorted = false;
    }
    if (sorted) return;   // nothing can move when no time is below an earlier one
    auto before = [](const Key& a, const Key& b) { return b.time - a.time > 1e-8; };
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) buf[k++] = before(keys[j], keys[i]) ? keys[j++] : keys[i++];
            while (i < mid) buf[k++] = keys[i++];
            while (j < hi) buf[k++] = keys[j++];
        }
        keys.swap(buf);
    }
    for (size_t i = 0; i < n; ++i) list[i] = keys[i].node;
}
