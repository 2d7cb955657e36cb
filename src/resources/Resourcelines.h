#pragma once
#include <string>
#include <vector>

#include "model/Recsource.h"

class Tpertgra;
class Tworkdata;

// The rows of the resources page of the work dialog and the rules that keep
// them consistent. Amount cells are texts as the page shows them.
struct TResourceLine {
    std::string number;
    std::string name;
    std::string daily;     // 平均用量
    std::string total;     // 总量
    std::string measure;   // "总量" or "平均用量"
    std::string unit;
    std::string price;
    std::string cost;      // 总价
    std::string kind;      // 资源类别
    // The amounts behind the shown texts: a line read from a work and
    // confirmed again keeps its exact values, not the six shown digits.
    double dailyValue = 0;
    double totalValue = 0;
    double priceValue = 0;
    double costValue = 0;
};

// What the page's boxes hold when 添加 or 修改 is pressed.
struct TResourceInput {
    std::string number;
    std::string name;
    std::string unit;
    std::string kind;
    std::string measure = "总量";
    std::string daily;
    std::string total;
    std::string price;
};

class TWorkResourceLines {
public:
    // Lines of an existing work, amounts in general format (6 significant digits).
    static TWorkResourceLines FromWork(const Tworkdata& data);

    // 添加(&A); workKind and durationText are the dialog's kind and duration boxes.
    bool Add(const Tpertgra& net, const TResourceInput& in, const std::string& workKind,
             const std::string& durationText);
    // 修改(&E) of the selected line (-1 = none).
    bool Modify(const TResourceInput& in, int selected, const std::string& durationText);
    // 删除(&D) of the selected line.
    bool Remove(int selected);

    // On confirmation: the work's resources rebuilt from the lines, then one
    // name per number across the network.
    void ApplyTo(Tpertgra& net, Tworkdata& data) const;

    // Sum of the cost cells (总价) of all lines.
    double TotalCost() const;

    std::vector<TResourceLine> lines;

private:
    static TResourceLine MakeLine(const TResourceInput& in, const std::string& durationText);
};

// General format with up to 6 significant digits ("%g").
std::string GeneralNumberText(double v);
