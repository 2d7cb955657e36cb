#include "drawing/Vanguardlineset.h"

#include <algorithm>

#include "model/Pertgra.h"

void TVanguardlineset::Load(const Tpertgra& net)
{
    checkDate = std::max(net.progressDate, net.projectStart);
    showProgressLine = net.showProgressLine;
}

void TVanguardlineset::Apply(Tpertgra& net) const
{
    net.progressDate = checkDate;
    net.showProgressLine = showProgressLine;
}
