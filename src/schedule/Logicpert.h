#pragma once
#include <cstdint>
#include <vector>

class Tpertgra;
class Tvertex;

// What the logic layout needs of the drawing's geometry, which lives a level
// above the scheduler: the row axis, the displacement pass and the time axis.
class ILogicAxis {
public:
    virtual ~ILogicAxis() = default;
    // y of row 0 and the height of a row, drawing units.
    virtual double Y0() const = 0;
    virtual double RowHeight() const = 0;
    // The displacement pass on the nodes' times taken as days: sets every
    // node's xOffset and the network's displacement table.
    virtual void Displace(Tpertgra& net) = 0;
    // x of a calendar day, counting the displacement entries strictly before
    // it (factor 1, no xOffset). Asked only after Displace.
    virtual double XOfDay(double day) = 0;
};

// The logic network: a node's x follows its level, the length of the longest
// chain of non-dummy works leading to it, each counting workLength days of
// the time scale. Created for each layout and query and dropped after it.
class Tlogicpert {
public:
    explicit Tlogicpert(ILogicAxis& axis) : axis_(axis) {}

    int32_t workLength = 10;

    // Levels of the nodes, by node slot, walking the nodes in the given
    // order (each node must come after every node with a work into it).
    std::vector<int32_t> Levels(const Tpertgra& net, const std::vector<Tvertex*>& walk) const;
    // Node x, y, xOffset, the displacement table and the work layout values
    // for factor f. Node times are the same afterwards as before.
    void Layout(Tpertgra& net, double f);
    // Scales the cached node positions of the last layout (x by xf, y by
    // yf) and recomputes the work layout values from them.
    void Scale(Tpertgra& net, double xf, double yf);

private:
    void PlaceWorks(Tpertgra& net, double f) const;
    ILogicAxis& axis_;
};

void LayoutLogicNetwork(Tpertgra& net, double f, ILogicAxis& axis);
void ScaleLogicNetwork(Tpertgra& net, double xf, double yf, ILogicAxis& axis);
// Right end of the drawing in the logic view: the largest node x, 0 without nodes.
double LogicEndX(const Tpertgra& net);
