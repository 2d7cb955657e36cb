#pragma once
#include <memory>
#include <string>
#include <vector>

#include "model/Recsource.h"

class Tpertgra;
class Tworkdata;

// The resource lists a project derives from its works and its custom store.
// Walk order: nodes in storage order, each node's leaving works in list
// order, each work's resources in order.

// Copies of the first entry of every number used by a work.
std::vector<Trecsource> WorkResourceCatalogue(const Tpertgra& net);
// Every work resource entry, duplicates included.
std::vector<Trecsource*> AllWorkResourceEntries(Tpertgra& net);
// Custom entries with the number, day by day along each chain, then the work entries.
std::vector<Trecsource*> EntriesForNumber(Tpertgra& net, const std::string& number);
// Numbers of the head entries of the days, in day order, each once.
std::vector<std::string> CustomNumbers(const Tpertgra& net);

// Daily or total amount follows the duration, as the measure mode says.
void RecomputeAmounts(Tworkdata& data);
// Amount of the resource in a work: daily, or over the whole work when
// columnMode is 1; labour and machinery rounded up to whole numbers.
double WorkResourceAmount(const Tworkdata& data, const std::string& number, int columnMode);
// One number has one name across all works.
void RenameResource(Tpertgra& net, const std::string& number, const std::string& name);
double TotalUsage(const Tpertgra& net, const std::string& number);
double PeriodUsage(const Tpertgra& net, const std::string& number, double fromDay, double toDay);

// Unlinks and destroys the custom entry with the number on every day.
void DeleteCustomResource(Tpertgra& net, const std::string& number);
// Makes the custom store at least n days long. It never shrinks: usages
// past a shortened project end stay stored and are clipped where drawn, so
// lengthening the plan again brings them back.
void ResizeCustomDays(Tpertgra& net, size_t n);
// First custom entry with the number, day by day along each chain.
const Trecsource* FindInDays(const std::vector<std::unique_ptr<Trecsource>>& days,
                             const std::string& number);

// The input of the custom-resource dialog after its checks.
struct TCustomResourceEntry {
    int32_t startDate = 0;   // stored time form
    int32_t endDate = 0;
    std::string number;
    std::string name;
    std::string unit;
    float dailyAmount = 0;
};
// Number check of the custom-resource dialog's OK: an empty number or one a
// work already uses is refused with its message (false).
bool CheckCustomNumber(const Tpertgra& net, const std::string& number);
// The dialog's number box: upper case, and a leading "Z" once it is left.
std::string NormalizeCustomNumber(const std::string& typed);
// Stores a confirmed custom resource over its days (both ends included).
void StoreCustomResource(Tpertgra& net, const TCustomResourceEntry& entry);
