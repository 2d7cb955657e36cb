#include "platform/Canvas.h"

namespace {

// System colours by index, in the classic desktop scheme the project files
// were written under: 0 scroll bar, 1 desktop, 2 active caption, 3 inactive
// caption, 4 menu, 5 window, 6 window frame, 7 menu text, 8 window text,
// 9 caption text, 10 active border, 11 inactive border, 12 workspace,
// 13 highlight, 14 highlight text, 15 button face, 16 button shadow, 17 grey
// text, 18 button text, 19 inactive caption text, 20 button highlight,
// 21 dark shadow, 22 light, 23 tip text, 24 tip background, 25 (unused),
// 26 hot light, 27 and 28 caption gradients, 29 menu highlight, 30 menu bar.
constexpr TRgb kSystemColors[] = {
    {200, 200, 200}, {58, 110, 165},   {10, 36, 106},    {128, 128, 128}, {212, 208, 200},
    {255, 255, 255}, {0, 0, 0},        {0, 0, 0},        {0, 0, 0},       {255, 255, 255},
    {212, 208, 200}, {212, 208, 200},  {128, 128, 128},  {10, 36, 106},   {255, 255, 255},
    {212, 208, 200}, {128, 128, 128},  {128, 128, 128},  {0, 0, 0},       {212, 208, 200},
    {255, 255, 255}, {64, 64, 64},     {212, 208, 200},  {0, 0, 0},       {255, 255, 225},
    {181, 181, 181}, {0, 0, 128},      {166, 202, 240},  {192, 192, 192}, {49, 106, 197},
    {212, 208, 200},
};

}

TRgb RgbOfColor(int32_t color)
{
    const uint32_t c = uint32_t(color);
    if (IsSystemColor(color)) {
        const uint32_t index = c & 0xFFu;
        if (index < sizeof kSystemColors / sizeof kSystemColors[0]) return kSystemColors[index];
        return TRgb{0, 0, 0};
    }
    return TRgb{uint8_t(c & 0xFFu), uint8_t((c >> 8) & 0xFFu), uint8_t((c >> 16) & 0xFFu)};
}

TCanvasMapping TCanvasMapping::FromExtents(double windowExtX, double windowExtY,
                                           double viewportExtX, double viewportExtY,
                                           double viewportOrgX, double viewportOrgY,
                                           double windowOrgX, double windowOrgY)
{
    TCanvasMapping m;
    // A zero window extent has no mapping; keep the scale of 1 then.
    m.scaleX = windowExtX != 0 ? viewportExtX / windowExtX : 1;
    m.scaleY = windowExtY != 0 ? viewportExtY / windowExtY : 1;
    m.originX = viewportOrgX - windowOrgX * m.scaleX;
    m.originY = viewportOrgY - windowOrgY * m.scaleY;
    return m;
}
