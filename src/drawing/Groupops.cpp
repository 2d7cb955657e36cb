#include "drawing/Fenzu.h"
#include "drawing/Groupops.h"

#include <algorithm>

Tfenzu GroupAt(const Tpertgra& net, int32_t index)
{
    const auto& items = net.groups.items;
    if (index < 0 || size_t(index) >= items.size()) return Tfenzu{};
    return items[size_t(index)];
}

void AppendGroup(Tpertgra& net, const Tfenzu& group)
{
    Tfenzuarray& g = net.groups;
    double y = g.origin.y;
    for (const Tfenzu& f : g.items) y += f.height;
    Tfenzu copy = group;
    copy.position = TPosition2D{g.origin.x, y};
    copy.width = g.groupColumnWidth;
    g.items.push_back(std::move(copy));
}

void InsertGroup(Tpertgra& net, int32_t index, const Tfenzu& group)
{
    auto& items = net.groups.items;
    const size_t at = size_t(std::clamp<int64_t>(index, 0, int64_t(items.size())));
    items.insert(items.begin() + ptrdiff_t(at), group);
}

void ReplaceGroup(Tpertgra& net, int32_t index, const Tfenzu& group)
{
    auto& items = net.groups.items;
    if (index < 0 || size_t(index) >= items.size()) return;
    items[size_t(index)] = group;
}

void DeleteGroup(Tpertgra& net, int32_t index)
{
    auto& items = net.groups.items;
    if (index < 0 || size_t(index) >= items.size()) return;
    items.erase(items.begin() + index);
}

void StackGroups(Tpertgra& net)
{
    Tfenzuarray& g = net.groups;
    double y = g.origin.y;
    for (Tfenzu& f : g.items) {
        f.position = TPosition2D{g.origin.x, y};
        f.width = g.groupColumnWidth;
        y += f.height;
    }
}
