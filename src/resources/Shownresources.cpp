#include "resources/Shownresources.h"

#include "file/Prtstream.h"

void WriteShownResources(TPrtWriter& w, const std::vector<std::string>& numbers)
{
    w.WriteStringList(numbers);
}

void ReadShownResources(TPrtReader& r, std::vector<std::string>& numbers)
{
    numbers.clear();
    numbers = r.ReadStringList();
}
