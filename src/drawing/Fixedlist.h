#pragma once
#include <cstddef>
#include <initializer_list>
#include <vector>

// Reads a stored list into a fixed set of values by position: items missing
// from a short list leave their value unchanged, extra items are ignored.
template <class T, class U>
void AssignByPosition(const std::vector<T>& items, std::initializer_list<U*> targets)
{
    size_t i = 0;
    for (U* t : targets) {
        if (i >= items.size()) break;
        *t = static_cast<U>(items[i++]);
    }
}
