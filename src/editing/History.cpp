#include "editing/History.h"

#include "model/Pertgra.h"

void THistory::Start(const Tpertgra& net)
{
    StartWith(THistoryStep::Record(net));
}

void THistory::StartWith(std::shared_ptr<const THistoryStep> snapshot)
{
    snapshots.clear();
    historyIndex = 0;
    snapshots.push_front(std::move(snapshot));
}

void THistory::Push(const Tpertgra& net)
{
    // The network grew out of the state it equals: that state shares most.
    std::shared_ptr<const THistoryStep> step = THistoryStep::Record(net, Current().get());
    if (Count() > kKeepBeforePush) snapshots.pop_back();
    for (int32_t i = 0; i < historyIndex && !snapshots.empty(); ++i) snapshots.pop_front();
    snapshots.push_front(std::move(step));
    historyIndex = 0;
}

std::unique_ptr<Tpertgra> THistory::Undo()
{
    if (Count() < 2 || historyIndex >= Count()) return nullptr;
    if (historyIndex < Count() - 1) ++historyIndex;
    return snapshots[size_t(historyIndex)]->Restore();
}

std::unique_ptr<Tpertgra> THistory::Redo()
{
    if (Count() < 2) return nullptr;
    if (historyIndex > 0) --historyIndex;
    return snapshots[size_t(historyIndex)]->Restore();
}

bool THistory::DiffersFromCurrent(const Tpertgra& net) const
{
    if (historyIndex < 0 || historyIndex >= Count()) return false;
    return !net.IsSameAs(*snapshots[size_t(historyIndex)]->Restore());
}

std::shared_ptr<const THistoryStep> THistory::Current() const
{
    if (historyIndex < 0 || historyIndex >= Count()) return nullptr;
    return snapshots[size_t(historyIndex)];
}
