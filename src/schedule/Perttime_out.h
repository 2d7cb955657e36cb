#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "schedule/Timeintval.h"

// The rest periods of a project's working calendar, in list order (the
// rest-day dialog keeps them ascending, disjoint and not touching), and the
// conversions between working time and calendar days that insert them.
//
// The conversions are asked once per node and work on every redraw, so they
// use an index built on first use after the list or the project start changed:
// for ascending, disjoint periods in whole days from the project start the
// periods a value passes are a prefix, found by bisection, and the inserted
// rest is a prefix sum. Any other list (unsorted, overlapping, periods off
// midnight) is walked period by period, as is any value whose indexed result
// would not be exact; both ways give the same bits.
class TPertTime_out {
public:
    const std::vector<Ttimeintval>& Items() const { return items_; }
    int32_t Count() const { return int32_t(items_.size()); }
    const Ttimeintval& operator[](int32_t i) const { return items_[size_t(i)]; }

    void Add(const Ttimeintval& period);
    void Clear();
    // Replaces the whole list.
    void Assign(std::vector<Ttimeintval> periods);

    // Same length and equal pairs in the same order.
    bool operator==(const TPertTime_out& o) const { return items_ == o.items_; }

    // Calendar day of working time t, t counted from the project start: every
    // period starting after day 0 at or before the running value (within 1e-10)
    // is inserted.
    double CalendarDay(int32_t projectStart, double t) const;
    // The same for a finish: a period counts only when it starts strictly before.
    double CalendarDayOfFinish(int32_t projectStart, double t) const;
    // Working time of calendar day x: x minus every period starting after day 0 and before x.
    double WorkingTime(int32_t projectStart, double x) const;

    // True when the conversions for this project start use the index (the list
    // is ascending, disjoint and in whole days); the period walk otherwise.
    bool IsIndexed(int32_t projectStart) const;

private:
    struct Index;

    std::vector<Ttimeintval> items_;
    // Immutable once built, so copies may share it; dropped by every change of the list.
    mutable std::shared_ptr<const Index> index_;

    const Index& IndexFor(int32_t projectStart) const;
    double Shift(int32_t projectStart, double t, bool finish) const;
};
