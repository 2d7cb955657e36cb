#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Tpertgra;

// One state of the undo history, stored compactly: the settings and
// sub-objects as a network without nodes, and the nodes with their works
// encoded into byte blocks of a fixed number of nodes each. A step recorded
// after another shares every block that came out byte for byte the same and
// keeps a block that differs in a few places (times and places moved by a
// change) as those places over the block before, so a step costs about what
// its change touched. Restoring gives what Clone
// of the recorded network gives. Steps never change once recorded and may be
// read from several threads at once.
class THistoryStep {
public:
    static constexpr size_t kNodesPerBlock = 64;

    using TBytes = std::vector<uint8_t>;
    struct TBlock;

    // Records the network; blocks equal to those of `previous` are shared.
    // The network's cached lookup index and the end-node ids its works carry
    // are brought up to date, as a Clone does.
    static std::shared_ptr<const THistoryStep> Record(const Tpertgra& net,
                                                      const THistoryStep* previous = nullptr);

    // The recorded network, as Clone of it gave it.
    std::unique_ptr<Tpertgra> Restore() const;
    // The same into a network made elsewhere with its default constructor
    // (a worker thread restores into a network made by the user-interface thread).
    void RestoreInto(Tpertgra& net) const;

    // Bytes of node blocks this step holds that `previous` does not share.
    size_t OwnBlockBytes(const THistoryStep* previous) const;
    size_t BlockCount() const { return blocks_.size(); }

private:
    THistoryStep() = default;

    std::unique_ptr<Tpertgra> settings_;
    size_t nodeCount_ = 0;
    std::vector<std::shared_ptr<const TBlock>> blocks_;
};
