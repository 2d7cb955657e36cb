#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "editing/Historystep.h"

class Tpertgra;

// The undo history of a document: recorded states, newest first, and the
// index of the state the network currently equals (0 = newest). A state is
// kept compactly (THistoryStep) and shares what did not change with the
// state recorded before it.
class THistory {
public:
    // More than this many snapshots lose the oldest at the next recording.
    static constexpr int32_t kKeepBeforePush = 12;

    std::deque<std::shared_ptr<const THistoryStep>> snapshots;
    int32_t historyIndex = 0;

    // Makes the state at opening or creation the first snapshot, so that the
    // first recorded change can be undone.
    void Start(const Tpertgra& net);
    // The same with a step recorded elsewhere (by a loader off the user-interface thread).
    void StartWith(std::shared_ptr<const THistoryStep> snapshot);
    // After a change: drops the oldest snapshot when more than twelve are
    // kept, drops the redo branch, records the network in front.
    void Push(const Tpertgra& net);
    // The network one step back, or null when there is nothing to go back to.
    // At the oldest snapshot it is that snapshot again, which drops changes
    // made since it was recorded.
    std::unique_ptr<Tpertgra> Undo();
    // The network one step forward, or null when there is no history.
    std::unique_ptr<Tpertgra> Redo();
    // True when there is a current snapshot and the network differs from it.
    bool DiffersFromCurrent(const Tpertgra& net) const;
    // The state the network currently equals; null without history.
    std::shared_ptr<const THistoryStep> Current() const;

    int32_t Count() const { return int32_t(snapshots.size()); }
};
