#pragma once
#include <string>
#include <vector>

class Tpertgra;

// The numbers a plan uses: the works' numbers sorted by number text, then
// the custom numbers sorted likewise.
std::vector<std::string> ResourceNumbers(const Tpertgra& net);

// Per resource a line of number, name, unit, total, peak and peak date
// (tab-separated, with a header line), from the levels the diagrams draw.
std::string ResourceSummaryText(const Tpertgra& net);
// A UTF-8 table for spreadsheets: a header "date" and one column per
// resource ("number name(unit)"), then a row per calendar day of the plan
// with its ISO date and the day's level of each resource (empty without usage).
std::string ResourceCsv(const Tpertgra& net);
