#include "editing/History.h"

#include "model/Pertgra.h"

void THistory::Start(const Tpertgra& net)
{
    snapshots.clear();
    historyIndex = 0;
    snapshots.push_front(net.Clone());
}

void THistory::StartWith(std::unique_ptr<Tpertgra> snapshot)
{
    snapshots.clear();
    historyIndex = 0;
    snapshots.push_front(std::move(snapshot));
}

void THistory::Push(const Tpertgra& net)
{
    if (Count() > kKeepBeforePush) snapshots.pop_back();
    std::unique_ptr<Tpertgra> copy = net.Clone();
    for (int32_t i = 0; i < historyIndex && !snapshots.empty(); ++i) snapshots.pop_front();
    snapshots.push_front(std::move(copy));
    historyIndex = 0;
}

std::unique_ptr<Tpertgra> THistory::Undo()
{
    if (Count() < 2 || historyIndex >= Count()) return nullptr;
    if (historyIndex < Count() - 1) ++historyIndex;
    return snapshots[size_t(historyIndex)]->Clone();
}

std::unique_ptr<Tpertgra> THistory::Redo()
{
    if (Count() < 2) return nullptr;
    if (historyIndex > 0) --historyIndex;
    return snapshots[size_t(historyIndex)]->Clone();
}

bool THistory::DiffersFromCurrent(const Tpertgra& net) const
{
    if (historyIndex < 0 || historyIndex >= Count()) return false;
    return !net.IsSameAs(*snapshots[size_t(historyIndex)]);
}
