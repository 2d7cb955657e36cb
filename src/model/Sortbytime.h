#pragma once
#include <vector>

class Tvertex;

// Buffers of the time sort, kept by callers that sort often.
struct TTimeSortScratch {
    struct Key {
        double time;
        Tvertex* node;
    };
    std::vector<Key> keys, buf;
};

// Stable sort of nodes by time, times within 1e-8 of each other counting as
// equal. A merge sort, so the result is well defined even where closeness
// does not chain transitively.
void SortByTime(std::vector<Tvertex*>& list);
void SortByTime(std::vector<Tvertex*>& list, TTimeSortScratch& scratch);
