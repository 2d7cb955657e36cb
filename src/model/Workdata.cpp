#include "model/Workdata.h"

#include <cmath>

bool Tworkdata::operator==(const Tworkdata& o) const
{
    return duration == o.duration && std::fabs(double(start) - double(o.start)) <= 1e-8 &&
           code == o.code && groupNo == o.groupNo && groupName == o.groupName &&
           quantity == o.quantity && name == o.name && font == o.font &&
           useCustom == o.useCustom && useCustomWidth == o.useCustomWidth &&
           useCustomColor == o.useCustomColor && useCustomStyle == o.useCustomStyle &&
           lineWidth == o.lineWidth && lineColor == o.lineColor && lineStyle == o.lineStyle &&
           placeMode == o.placeMode && namePlace == o.namePlace && kind == o.kind &&
           es == o.es && ls == o.ls && critical == o.critical && resources == o.resources &&
           unit == o.unit && category == o.category && reservedText == o.reservedText &&
           reservedA == o.reservedA && reservedB == o.reservedB && workNo == o.workNo &&
           progress == o.progress;
}
