#pragma once
#include <string>
#include <vector>

class TPrtWriter;
class TPrtReader;

// The numbers of the resources whose diagrams are drawn: a string list.
void WriteShownResources(TPrtWriter& w, const std::vector<std::string>& numbers);
// Reading replaces the list.
void ReadShownResources(TPrtReader& r, std::vector<std::string>& numbers);
