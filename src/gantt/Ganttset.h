#pragma once

// Print margins of the Gantt chart that no other setting holds. Only the
// right and bottom margins are used; none of it is stored in the project file.
class TGanttSet {
public:
    double reservedLeft = 50.0;
    double reservedTop = 100.0;
    double rightMargin = 5.0;
    double bottomMargin = 5.0;

    bool operator==(const TGanttSet& o) const = default;
};
