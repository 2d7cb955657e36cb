#pragma once
#include <memory>
#include <vector>

#include "model/Recsource.h"

class TPrtWriter;
class TPrtReader;

// The custom resource store of a network: one chain (or null) per project day.
using TCustomDays = std::vector<std::unique_ptr<Trecsource>>;

// int32 n, then per day a placeholder and, for a day with entries, its chain
// as one resource entry record.
void WriteCustomStore(TPrtWriter& w, const TCustomDays& days);
// Reading replaces the whole store.
void ReadCustomStore(TPrtReader& r, TCustomDays& days);
// Files up to 1.54: per day a placeholder, then while it is set an entry's
// number, name, unit, price and daily amount and the next placeholder.
void ReadCustomStoreOld(TPrtReader& r, TCustomDays& days);
