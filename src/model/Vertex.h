#pragma once
#include <cstdint>

class Tedge;

// A node (event) of the network. Owns the singly linked list of the works
// leaving it, starting at firstWork.
class Tvertex {
public:
    int32_t number = 0;
    int32_t id = 0;
    float earliest = 0;
    float latest = 0;
    float time = 0;
    int32_t row = 0;
    int32_t xOffset = 0;
    int32_t inCount = 0;
    int32_t outCount = 0;
    bool critical = false;
    int32_t x = 0;
    int32_t y = 0;
    Tedge* firstWork = nullptr;   // owned list through Tedge::nextWork
    bool joint = false;

    // Position in the owning network's node storage, kept by the network's
    // lookup index; not part of the node's data (not copied, compared or stored).
    int32_t slot = -1;

    Tvertex() = default;
    ~Tvertex();
    Tvertex(const Tvertex&) = delete;
    Tvertex& operator=(const Tvertex&) = delete;

    // A copy of every field except earliest, latest and the works.
    Tvertex* CopyNode() const;

    bool IsStart() const { return inCount == 0; }
    bool IsEnd() const { return outCount == 0; }

    // Node fields and the leaving-work chains.
    bool SameAs(const Tvertex& o) const;
};
