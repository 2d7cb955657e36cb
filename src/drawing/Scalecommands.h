#pragma once
#include <cstdint>
#include <optional>

class Tpertgra;

// A span of calendar days.
struct TDaySpan {
    double start = 0;
    double end = 0;
};

// From the earliest start to the latest finish of the selected works, as
// calendar days; nothing without a selection.
std::optional<TDaySpan> SelectedSpan(const Tpertgra& net);

// "横向伸长": with a span, that span's width becomes DayWidthAt(end) +
// amount / T, else the default width grows by amount / T, T being the
// plan's end day (amount 50, or 200 with Shift). Nothing for an empty
// network; widths stay when the plan ends at day 0. True when a width changed.
bool StretchX(Tpertgra& net, double amount, const TDaySpan* span = nullptr);
// "横向压缩": takes amount / T off while the width times T is above 50 and the
// default width above 1; otherwise the width shrinks by 20/21.
bool ShrinkX(Tpertgra& net, double amount, const TDaySpan* span = nullptr);
// "纵向伸长" / "纵向压缩": the row height by one, kept within 10..300 (a
// height above 800 drops to 400 at the first shrink). True when it changed.
bool StretchY(Tpertgra& net);
bool ShrinkY(Tpertgra& net);

// The partial display range [a, b] in stored time: the time scale becomes a
// fresh one in which the days before a and after b have no width. With
// a >= b everything is shown again (both ends become the project start).
void SetShowRange(Tpertgra& net, int32_t a, int32_t b);
