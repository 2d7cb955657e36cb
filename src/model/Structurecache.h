#pragma once
// The network's lookup index, shared by the container and the time
// computation; not for use outside the network's own units.
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/Pertgra.h"
#include "model/Sortbytime.h"

// Every node's slot (its position in the node storage), the works leaving
// each node as flat arrays in list order with the slot of their end node,
// and the works ending at each node in storage order of their from-nodes.
// The passes of the time computation run over these arrays instead of
// following pointers through the nodes and works.
struct Tpertgra::StructureCache {
    bool valid = false;
    size_t nodeCount = 0;
    bool dangling = false;            // some work ends at a node outside the storage
    std::vector<int32_t> outBegin;    // nodeCount + 1 offsets into outWork / outTo
    std::vector<Tedge*> outWork;
    std::vector<int32_t> outTo;       // slot of the end node, -1 when outside
    std::vector<int32_t> intoBegin;   // nodeCount + 1 offsets into `into`
    std::vector<Tedge*> into;
    // scratch of the path searches: a node is visited when its mark equals the generation
    std::vector<uint32_t> mark;
    uint32_t markGeneration = 0;
    std::vector<const Tvertex*> searchStack;
    // set by the time pass when a planned start lies before its start node
    bool startsBeforeNode = false;
    // The time order Recalculate has just made, for the time computation it
    // runs next; taken (and cleared) by that computation.
    std::vector<Tvertex*>* timeOrder = nullptr;
    // scratch of the time pass, by slot and by work index
    std::vector<float> earliest, latest, duration;
    std::vector<char> critical;
    // scratch of the loop check, the time sort and the part numbering
    std::vector<int32_t> count, stack, parent, startsInPart, sizeOfPart;
    TTimeSortScratch sort;
};

// The entering works of every node while link edits are under way.
struct Tpertgra::LiveInto {
    std::unordered_map<const Tvertex*, std::vector<Tedge*>> into;
    // Nodes removed meanwhile: they leave the storage and the order in one
    // pass at the end instead of one search and shift each.
    std::unordered_set<const Tvertex*> removed;
};
