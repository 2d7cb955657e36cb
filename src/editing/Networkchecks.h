#pragma once
#include <cstdint>
#include <vector>

class Tpertgra;
class Tvertex;
class Tedge;

// The structural checks of a hand-drawn network and their repairs. All of
// them scan the nodes in storage order and each node's works in list order.

// Nodes that stand for a start of the network: nodes without entering works
// (milestone end nodes left out), and nodes whose single entering work is a
// milestone (the milestone hides its outer node).
std::vector<Tvertex*> StartNodes(const Tpertgra& net);
// The mirror image: nodes without leaving works, and nodes whose single
// leaving work is a milestone.
std::vector<Tvertex*> EndNodes(const Tpertgra& net);

// With two or more start nodes: every other start node, in list order, is
// merged into the one drawn furthest left (the first on equal x), the
// network is recalculated after each merge and laid out again at the end.
// Refused merges leave their node in place. Returns 1 when a node was merged.
int32_t MergeStartNodes(Tpertgra& net);
// The same for end nodes, into the one drawn furthest right.
int32_t MergeEndNodes(Tpertgra& net);

// The first work, in scan order, whose line overlaps another work's line on
// the same row: both x spans overlap strictly (touching does not count).
// The x of a node is its time taken directly as a day on the time scale,
// with the displacement entries strictly before that day and the node's
// own displacement, truncated. Null when no lines overlap.
Tedge* FindOverlappingWork(const Tpertgra& net);
// Every work whose line overlaps another's, in scan order; the first of
// them is FindOverlappingWork's answer.
std::vector<Tedge*> OverlappingWorks(const Tpertgra& net);
// The same answer by the plain scan of every work against every other;
// kept to prove the fast form.
Tedge* FindOverlappingWorkLiteral(const Tpertgra& net);
// The work's line overlaps another line on its row, measured as above.
bool OverlapsOnItsRow(const Tpertgra& net, const Tedge* work);

// Moves the work one row up by the row move (as a drag from its line to the
// line above). When that leaves it overlapping on its row (the row above is
// taken, or it already is the top row), a blank row is opened at its row and
// the work alone stays there, everything else moving down. Returns 1 when
// the network changed.
int32_t RepairOverlap(Tpertgra& net, Tedge* work);

// The dummy works ("虚工作") whose link is implied anyway, in scan order:
// the only leaving work of its start node or the only entering work of its
// end node; or another work leaving its start node ends at its end node or
// leads there along leaving works. Reachability is answered for all dummies
// together, from the targets backwards, not by one search per dummy.
std::vector<Tedge*> RedundantLinks(const Tpertgra& net);
// The same list by one path search per dummy; kept to prove the fast form.
std::vector<Tedge*> RedundantLinksLiteral(const Tpertgra& net);
// One dummy checked on its own by the plain path search.
bool IsRedundantLink(const Tpertgra& net, const Tedge* dummy);
