#pragma once
#include <vector>

#include "model/Recsource.h"

// The resource statistics list: entries collected for the usage dialog.
// It is rebuilt on demand and never copied with, compared with or stored in a network.
class TPertResList {
public:
    std::vector<Trecsource> items;

    void Clear() { items.clear(); }
    void Add(const Trecsource& r) { items.push_back(r); }
    int Count() const { return static_cast<int>(items.size()); }
};
