#include "editing/Viewcache.h"

#include <algorithm>

namespace {

// One axis of the placement rule.
bool PlaceAxis(int32_t& origin, int32_t side, int32_t scroll, int32_t view)
{
    const int32_t old = origin;
    if (scroll + view > origin + side) origin = scroll;
    if (scroll < origin) origin = std::max(0, scroll + view - side);
    return origin != old;
}

}  // namespace

int32_t TViewCache::SideFor(int32_t viewSide)
{
    const int32_t want = std::max(1, viewSide) * 3;
    return std::clamp(want, std::max(1, std::min(viewSide, kMaxSide)), kMaxSide);
}

bool TViewCache::Place(int32_t scrollX, int32_t scrollY, int32_t viewWidth, int32_t viewHeight)
{
    const bool x = PlaceAxis(originX, width, scrollX, viewWidth);
    const bool y = PlaceAxis(originY, height, scrollY, viewHeight);
    return x || y;
}

bool TViewCache::Covers(int32_t scrollX, int32_t scrollY, int32_t viewWidth,
                        int32_t viewHeight) const
{
    return scrollX >= originX && scrollY >= originY && scrollX + viewWidth <= originX + width &&
           scrollY + viewHeight <= originY + height;
}
